// The start/pause/resume and reset operations behind the two buttons and their menu entries.
#pragma once

// Starts, pauses or resumes by the mode and the run state; an until-time countdown is armed once
// and cannot be paused. The mode is fixed from the first press until a reset.
void StartPauseResume();

// Back to idle, as the program started: the mode's starting readout, nothing counted or
// sounding, the mode controls free again.
void ResetTimer();

// The radio buttons, the settings button and the three mode entries of the menu. Every start
// press disables them; only a reset enables them again.
void EnableModeControls(bool enabled);
