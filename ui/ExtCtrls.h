#pragma once

// The panel, the paint box and the timer.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/Controls.h"

enum class TBevel { None, Raised, Lowered };

// A filled area with an optional bevel and its caption in the middle.
class TPanel : public TControl {
 public:
  using TControl::TControl;

  TBevel BevelOuter = TBevel::Raised;

  void Paint(TCanvas& canvas) override;
};

// An area that its owner paints: OnPaint runs whenever the form's window paints, and draws on the
// paint box's canvas, which records onto the window's drawing with the paint box's top-left
// corner as its origin.
class TPaintBox : public TControl {
 public:
  using TControl::TControl;

  // Valid at any time; what is drawn outside a paint of the form's window goes nowhere.
  TCanvas& Canvas() { return PaintCanvas; }

  // Invalidate asks for a paint; Repaint paints at once.
  void Repaint() const;

  std::function<void(TPaintBox&)> OnPaint;

  void Paint(TCanvas& canvas) override;

 private:
  TWindowCanvas PaintCanvas;
};

// A platform timer on the form's window. It runs while it is enabled, has a nonzero interval and
// an OnTimer handler, and the form has a window (a window made later starts it then).
class TTimer : public TComponent {
 public:
  TTimer(TForm& owner, std::string name);
  ~TTimer() override;

  void SetEnabled(bool enabled);
  bool Enabled() const { return IsEnabled; }
  void SetInterval(UINT milliseconds);
  UINT Interval() const { return Milliseconds; }
  void SetOnTimer(std::function<void(TTimer&)> handler);

  // The timer's id on the form's window.
  UINT_PTR Id() const { return TimerId; }

  // Starts or stops the platform timer to match the properties; the form calls it when its window
  // is made.
  void Update();
  // One tick: runs OnTimer.
  void Tick();

 private:
  bool IsEnabled = true;
  UINT Milliseconds = 1000;
  std::function<void(TTimer&)> OnTimer;
  UINT_PTR TimerId;
};
