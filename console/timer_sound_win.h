// The sound when a countdown reaches zero: the event's own data\timeup.wav when there is one,
// else the system's exclamation sound.
#pragma once
#include <string>

// dataDir ends with a backslash.  Returns at once; the sound plays on.
void playTimeUpSound(const std::string& dataDir);
// The sound when a buzzer wins: data\buzz.wav when there is one, else the system's default
// sound.
void playBuzzSound(const std::string& dataDir);
