#pragma once

// The standard controls of the dialogs: button, check box, edit, label, group box and memo.

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

// Modal results: a form's modal run ends when its result becomes nonzero.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = IDOK;
inline constexpr int mrCancel = IDCANCEL;
inline constexpr int mrAbort = IDABORT;
inline constexpr int mrRetry = IDRETRY;
inline constexpr int mrIgnore = IDIGNORE;
inline constexpr int mrYes = IDYES;
inline constexpr int mrNo = IDNO;

class TButton : public TControl {
 public:
  using TControl::TControl;

  // Pressing the button: a nonzero ModalResult becomes the form's modal result, then OnClick runs.
  void Click();

  int ModalResult = mrNone;
  bool Default = false;  // pressed by the Enter key
  bool Cancel = false;   // pressed by the Escape key
  std::function<void(TButton&)> OnClick;

  void Paint(TCanvas& canvas) override;
};

class TCheckBox : public TControl {
 public:
  using TControl::TControl;

  // Sets the state without running OnClick.
  void SetChecked(bool checked);
  bool Checked() const { return IsChecked; }

  // A click of the user: an enabled check box toggles, then OnClick runs.
  void Click();

  std::function<void(TCheckBox&)> OnClick;

  void Paint(TCanvas& canvas) override;

 private:
  bool IsChecked = false;
};

class TEdit : public TControl {
 public:
  using TControl::TControl;

  // The text, cut to MaxLength characters when a maximum is set (the platform has no keyboard,
  // so SetText is also how text is typed).
  void SetText(std::string text);
  const std::string& Text() const { return Content; }
  // 0 = no limit. A new limit cuts the present text.
  void SetMaxLength(size_t maxLength);
  size_t MaxLength() const { return Limit; }

  void Paint(TCanvas& canvas) override;

 private:
  std::string Content;
  size_t Limit = 0;
};

class TLabel : public TControl {
 public:
  using TControl::TControl;
  void Paint(TCanvas& canvas) override;
};

class TGroupBox : public TControl {
 public:
  using TControl::TControl;
  void Paint(TCanvas& canvas) override;
};

class TMemo : public TControl {
 public:
  using TControl::TControl;

  void SetLines(std::vector<std::string> lines);
  const std::vector<std::string>& Lines() const { return TextLines; }
  // The lines joined by carriage return and line feed.
  std::string Text() const;

  bool ReadOnly = false;
  bool Border = true;

  void Paint(TCanvas& canvas) override;

 private:
  std::vector<std::string> TextLines;
};
