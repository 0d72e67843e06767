#include "sound_settings.h"

#include "config_file.h"

SoundSettings readSoundSettings(const ConfigFile& config) {
    SoundSettings settings;
    settings.seEnabled = config.getBool("se_enable", true);
    settings.bgmEnabled = config.getBool("bgm_enable", true);
    return settings;
}
