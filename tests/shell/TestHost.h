#pragma once

// The shell tests' host: the command-line host's client, documents and libraries, with on top what
// the tests look at (the documents asked for, the files announced before an opening, the
// processes run) and two ways for opening a document to come to nothing.

#include <string>
#include <utility>
#include <vector>

#include "HostClient.h"
#include "HostDocuments.h"
#include "HostLibraries.h"
#include "HostText.h"

struct TProcessCall {
  std::string Process;
  std::string Parameters;
};

class TTestClient : public THostClient {
 public:
  TTestClient();

  HRESULT STDMETHODCALLTYPE OpenDocument(const wchar_t* kind, const wchar_t* fileName,
                                         IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE RunProcess(const wchar_t* processName, char* parameters,
                                       int32_t capacity, int32_t flags) override;
  HRESULT CreateVfsFile(const std::string& fileName, const std::string& kind) override;

  std::vector<std::pair<std::string, std::string>> Opened;  // kind, file name
  std::vector<std::string> CreatedFiles;                    // "kind:file name"
  std::vector<TProcessCall> Processes;
  // Opening answers "no document" without failing: for every kind, or for boards only.
  bool OpensNothing = false;
  bool PcbOpenFails = false;
};

// A document of a kind that is no board (a schematic, say), with its one view.
class TOtherDocument : public TPcbDocument {
 public:
  TOtherDocument(std::string kind, std::string fileName)
      : TPcbDocument(std::move(fileName), 0), Kind(std::move(kind)) {}
  HRESULT STDMETHODCALLTYPE GetKind(std::wstring* kind) override;

  std::string Kind;
};
TComPtr<TOtherDocument> MakeOtherDocument(const std::string& kind, const std::string& fileName);
