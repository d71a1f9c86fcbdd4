// New tokens for every judge seat from the system's cryptographic random source: a judge's
// link must not be guessable by anyone else on the venue network.
#pragma once
#include <string>

// Every seat's token as the settings keep them (joinTokens), or empty when the system gave no
// random bytes (the links then stay as they were).
std::string freshJudgeTokens();
