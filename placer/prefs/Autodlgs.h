#pragma once

// The "Autoplace Preferences" dialog: the placer's options of one board, shown in a modal form and
// written back into the board when the user confirms with OK.

#include <cstdint>
#include <memory>

#include "framework/Rt_formsViews.h"

class TBoard;

// The window class of the host's main window. A dialog whose host has such a top-level window
// becomes a child of it.
inline constexpr const char* HostMainWindowClassName = "TPlacerHostMainWindow";

// A modal dialog that fills its controls from some state before it is shown and reads them back
// when it is confirmed.
class TStateDialog : public TServerDialog {
 public:
  // State to controls; nothing in the base.
  virtual void SetState_AllControls() {}
  // Controls to state; nothing in the base.
  virtual void GetState_AllControls() {}

  // Fills the controls, shows the form modally and, when it ends with OK, reads the controls back
  // and returns true. Any other result changes nothing and returns false.
  bool RunDialog();

 protected:
  // A server dialog made a pop-up with caption, system menu and modal frame; the host's main
  // window owns it when there is one, otherwise the host's dialog parent.
  void CreateParams(TCreateParams& params) override;
};

class TAutoPreferences : public TStateDialog {
 public:
  // Reads the board and its placer options, then builds the form.
  explicit TAutoPreferences(uint32_t boardHandle);
  ~TAutoPreferences() override;

  void SetState_AllControls() override;
  // Reads the controls into the board mirror and writes the whole mirror into the board.
  void GetState_AllControls() override;

  // The mirror the dialog edits (read when the dialog was made).
  TBoard& Board() const { return *BoardMirror; }

  void OkClick();
  void CancelClick();

 private:
  void BuildForm();
  int32_t ReadLength(const char* editName) const;

  std::unique_ptr<TBoard> BoardMirror;
};

// Shows the preferences of the board; true when the user confirmed with OK (the options are then
// written into the board), false when the dialog was left any other way (nothing is written).
bool ShowAutoplacePreferences(uint32_t boardHandle);
