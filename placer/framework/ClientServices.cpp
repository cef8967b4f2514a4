#include "framework/ClientServices.h"

#include "framework/ClientProcs.h"
#include "framework/TextHelpers.h"

void RunProcess(std::string_view processName, char* parameters, int32_t capacity, int32_t flags) {
  const TComPtr<IClient> client = GetClient();
  if (!client) {
    return;
  }
  TComPtr<IProcessLauncher> launcher;
  CheckStatus(
      client->QueryInterface(IProcessLauncher::Iid, reinterpret_cast<void**>(launcher.Put())));
  CheckStatus(launcher->RunProcess(WidenText(processName).c_str(), parameters, capacity, flags));
}
