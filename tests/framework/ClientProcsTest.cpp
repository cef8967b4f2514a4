#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeClient.h"
#include "framework/ClientProcs.h"
#include "framework/HostExports.h"

// The test program stands in for the host executable and exports the host functions.

namespace {

struct TCreatedFile {
  std::wstring FileName;
  std::wstring Kind;
  std::wstring Extra;
  bool operator==(const TCreatedFile&) const = default;
};

std::vector<TCreatedFile> CreatedFiles;
IClient* ExportedClient = nullptr;
HRESULT ExportStatus = S_OK;

}  // namespace

extern "C" HRESULT ClientAPI_GetClientInterface(IClient** client) {
  *client = ExportedClient;
  if (ExportedClient != nullptr) {
    ExportedClient->AddRef();
  }
  return ExportStatus;
}

extern "C" HRESULT VFSAPI_VFSCreateFile(const wchar_t* fileName, const wchar_t* kind,
                                        const wchar_t* extra) {
  CreatedFiles.push_back({fileName, kind, extra});
  return E_FAIL;  // not examined
}

namespace {

class HostExports : public testing::Test {
 protected:
  ~HostExports() override {
    ExportedClient = nullptr;
    ExportStatus = S_OK;
    CreatedFiles.clear();
    BindHostExports();
  }

  TComPtr<TFakeClient> Client = MakeComObject<TFakeClient>();
};

TEST_F(HostExports, AreFoundInTheHostExecutable) {
  BindHostExports();
  ExportedClient = Client.Get();
  const TComPtr<IClient> fromHost = GetClientFromHost();
  EXPECT_EQ(fromHost.Get(), static_cast<IClient*>(Client.Get()));
  EXPECT_EQ(Client->GetReferenceCount(), 2u);

  VFSCreateFile("C:\\Boards\\B\xE4.PLC", "Placer", "");
  EXPECT_EQ(CreatedFiles,
            (std::vector<TCreatedFile>{{L"C:\\Boards\\B\u00E4.PLC", L"Placer", L""}}));
}

TEST_F(HostExports, AFailingClientExportRaises) {
  BindHostExports();
  ExportStatus = E_UNEXPECTED;
  EXPECT_THROW(GetClientFromHost(), EHostCallFailed);
}

TEST_F(HostExports, MissingExportsAreSkipped) {
  BindHostExports(nullptr);
  ExportedClient = Client.Get();
  EXPECT_FALSE(GetClientFromHost());
  VFSCreateFile("B.PLC", "Placer", "");
  EXPECT_TRUE(CreatedFiles.empty());
}

TEST(ProcessClient, HoldsAReferenceUntilCleared) {
  const TComPtr<TFakeClient> client = MakeComObject<TFakeClient>();
  SetClient(client.Get());
  EXPECT_EQ(client->GetReferenceCount(), 2u);
  EXPECT_EQ(GetClient().Get(), static_cast<IClient*>(client.Get()));
  SetClient(client.Get());  // setting the same client again keeps one reference
  EXPECT_EQ(client->GetReferenceCount(), 2u);
  SetClient(nullptr);
  EXPECT_EQ(client->GetReferenceCount(), 1u);
  EXPECT_FALSE(GetClient());
}

}  // namespace
