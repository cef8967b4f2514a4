// The placer plug-in library. The host finds one export in it, ServerFactory (Main_Placer); the
// rest stays inside. When the library is loaded it binds the PCB editor's functions from the
// editor library, which the host has loaded before, and takes the host's client from the host
// executable's export.

#include "framework/ClientProcs.h"
#include "pcb/PCBProcs.h"

namespace {

struct TLibraryLoad {
  TLibraryLoad() {
    BindPcbProcs();
    try {
      if (!GetClient()) {
        SetClient(GetClientFromHost().Get());
      }
    } catch (...) {
      // A host without a usable client export: the module gets its client from ServerFactory.
    }
  }
};

const TLibraryLoad LibraryLoad;

}  // namespace
