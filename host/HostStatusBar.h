#pragma once

// The host's status bar: the plug-in's panels and its progress codes, shown as a live progress
// line on a terminal (rewritten in place), as plain lines at a sane rate on other outputs, or not
// at all when quiet. It keeps the last text of each panel for the summary.

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "framework/ComObjects.h"
#include "framework/RT_ClientServerInterface.h"

enum class TProgressOutput { Terminal, Lines, Quiet };

class THostStatusBar : public TInterfacedObject<IStatusBar> {
 public:
  THostStatusBar(TProgressOutput output, std::FILE* stream) : Output(output), Stream(stream) {}

  HRESULT STDMETHODCALLTYPE SetStatusText(int32_t index, const wchar_t* text) override;

  // Says what the host is doing between the plug-in's own progress ("Reading board.pcb"), so that
  // a long phase shows that the run is alive.
  void ShowPhase(const std::string& text) { Show(text, true); }

  // Ends a live line on the terminal, so that what follows starts on a line of its own.
  void EndLine();

  // The last text of a panel ("" when none came).
  std::string Panel(int32_t index) const;

  // When the plug-in last said something: after a run's last pass it is silent until the run has
  // written its placement back.
  std::chrono::steady_clock::time_point LastText() const { return LastTextAt; }

 private:
  void Show(const std::string& line, bool important);

  TProgressOutput Output;
  std::FILE* Stream;
  std::map<int32_t, std::string> Panels;
  std::string ProgressTitle;
  std::string Shown;  // the line now on the terminal
  std::chrono::steady_clock::time_point LastLine{};
  std::chrono::steady_clock::time_point LastTextAt = std::chrono::steady_clock::now();
};
