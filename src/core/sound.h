// Sounds play asynchronously from the executable's WAVE resources; a new one cuts off the last.
#pragma once

// Loads the sound library from the system folder. Called at start-up, before the worker exists:
// loading it takes tens of milliseconds under Wine, which at the first chime would hold the
// worker and the readout. Without this call the first sound or stop loads it.
void LoadSoundLibrary();

void PlayResourceSound(int id);
void StopSound();
