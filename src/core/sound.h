// Sounds play asynchronously from the executable's WAVE resources; a new one cuts off the last.
#pragma once

void PlayResourceSound(int id);
void StopSound();
