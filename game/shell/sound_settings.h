#pragma once
// The two switches of config\sound.txt: se_enable and bgm_enable, each 0 or 1, both on by default.

class ConfigFile;

struct SoundSettings {
    bool seEnabled = true;   // off: every effect request is ignored
    bool bgmEnabled = true;  // off: no music thread at all, and every music request is ignored
};

SoundSettings readSoundSettings(const ConfigFile& config);
