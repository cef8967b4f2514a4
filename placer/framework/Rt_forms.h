#pragma once

#include <cstdint>
#include <string_view>

// The host's status bar and its progress indicator. Each operation does nothing when there is no
// client; a failure status from the host raises. One progress is active at a time; its state is
// process-wide (main thread only).

// Sets the text of status panel `index` (1 to 3 are the host's panels).
void SetStatusPanelText(int32_t index, std::string_view text);

// Starts a progress of `total` steps under `title`: sends ProgressCodeShow, then ProgressCodeTitle
// with the title.
void BeginProgress(std::string_view title, int64_t total);

// One step of the active progress (none active: nothing). The percentage done is steps * 100 /
// total rounded to nearest (ties to even), at most 100, and 100 for a total of 0; ProgressCodeStep
// is sent once for every percent gained since the last step.
void StepProgress();

// Ends the active progress (none active: nothing): sends ProgressCodeFinish, then ProgressCodeHide.
void EndProgress();
