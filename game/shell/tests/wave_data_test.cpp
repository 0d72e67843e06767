#include "sox_wave_files.h"
#include "wave_data.h"
#include "wave_format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

WaveData readFromBytes(const Bytes& file) {
    std::istringstream in(std::string(file.begin(), file.end()));
    WaveData data;
    data.read(in);
    return data;
}

Bytes pattern(std::size_t size) {
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return out;
}

struct SoxCase {
    const char* options;
    std::uint16_t tag;  // as written in the format chunk
    std::uint16_t channels;
    std::uint32_t rate;
    bool playable;
};

}  // namespace

TEST(WaveData, ReadsFilesThatSoxWritesInEveryFormat) {
    TempFolder folder;
    const SoxCase cases[] = {
        {"-r 8000 -c 1 -b 8 -e unsigned-integer", 1, 1, 8000, true},
        {"-r 11025 -c 2 -b 8 -e unsigned-integer", 1, 2, 11025, true},
        {"-r 22050 -c 1 -b 16 -e signed-integer", 1, 1, 22050, true},
        {"-r 44100 -c 2 -b 16 -e signed-integer", 1, 2, 44100, true},
        {"-r 48000 -c 2 -b 32 -e floating-point", 3, 2, 48000, true},  // has a "fact" chunk before "data"
        {"-r 11025 -c 2 -b 24 -e signed-integer", 0xFFFE, 2, 11025, false},
        {"-r 8000 -c 1 -b 8 -e u-law", 7, 1, 8000, false},
        {"-r 8000 -c 3 -b 16 -e signed-integer", 0xFFFE, 3, 8000, false},
    };
    for (const SoxCase& c : cases) {
        SCOPED_TRACE(c.options);
        std::string wav = folder.path("tone.wav");
        std::string raw = folder.path("tone.raw");
        ASSERT_TRUE(soxTone(wav, c.options, 0.05)) << "sox (Debian package sox) must be installed";
        ASSERT_TRUE(soxTone(raw, c.options, 0.05, true));

        WaveData data;
        data.load(wav);
        ASSERT_GE(data.format.size(), 16u);
        EXPECT_EQ(data.format[0] | data.format[1] << 8, c.tag);
        EXPECT_EQ(data.format[2] | data.format[3] << 8, c.channels);
        EXPECT_EQ(data.format[4] | data.format[5] << 8 | data.format[6] << 16, static_cast<int>(c.rate));
        // The data chunk is the samples exactly as sox made them.
        EXPECT_EQ(data.samples, readBytes(raw));
        EXPECT_FALSE(data.samples.empty());

        auto format = playableFormat(data.format);
        EXPECT_EQ(format.has_value(), c.playable);
        if (format) {
            EXPECT_EQ(format->channels, c.channels);
            EXPECT_EQ(format->rate, c.rate);
        }
    }
}

TEST(WaveData, EveryCutOfASoxFileGivesNoSamples) {
    TempFolder folder;
    std::string wav = folder.path("cut.wav");
    ASSERT_TRUE(soxTone(wav, "-r 8000 -c 1 -b 16 -e signed-integer", 0.01)) << "sox must be installed";
    Bytes whole = readBytes(wav);
    ASSERT_GT(whole.size(), 44u);

    EXPECT_EQ(readFromBytes(whole).samples.size(), whole.size() - 44);
    // The data chunk comes last, so every shorter file has lost some of it (or the header).
    for (std::size_t length = 0; length < whole.size(); ++length) {
        WaveData data = readFromBytes(Bytes(whole.begin(), whole.begin() + static_cast<long>(length)));
        EXPECT_TRUE(data.samples.empty()) << "cut at " << length;
    }
}

TEST(WaveData, DamagedFilesGiveEmptyOrShortVectors) {
    const Bytes format = pcmFormat(1, 8000, 8);
    const Bytes samples = pattern(101);

    // The sound file as it should be: odd-sized data gets its pad byte.
    WaveData good = readFromBytes(riffWave({chunk("fmt ", format), chunk("data", samples)}));
    EXPECT_EQ(good.format, format);
    EXPECT_EQ(good.samples, samples);

    // No format chunk: nothing.
    WaveData noFormat = readFromBytes(riffWave({chunk("data", samples)}));
    EXPECT_TRUE(noFormat.format.empty());
    EXPECT_TRUE(noFormat.samples.empty());

    // No data chunk: the format, no samples.
    WaveData noData = readFromBytes(riffWave({chunk("fmt ", format)}));
    EXPECT_EQ(noData.format, format);
    EXPECT_TRUE(noData.samples.empty());

    // A data chunk that claims more than the file holds is cut short: no samples at all.
    Bytes truncated = riffWave({chunk("fmt ", format), chunkClaiming("data", 5000, samples)});
    EXPECT_TRUE(readFromBytes(truncated).samples.empty());

    // A data chunk claiming four gigabytes must not be allocated.
    Bytes huge = riffWave({chunk("fmt ", format), chunkClaiming("data", 0xFFFFFFF0u, samples)});
    EXPECT_TRUE(readFromBytes(huge).samples.empty());

    // A format chunk longer than the file: no samples, whatever the format holds.
    Bytes longFormat = riffWave({chunkClaiming("fmt ", 0x7FFFFFFF, format)});
    EXPECT_TRUE(readFromBytes(longFormat).samples.empty());

    // A chunk before the format chunk whose size runs past the end hides everything after it.
    Bytes runaway = riffWave({chunkClaiming("LIST", 0x10000000, Bytes(6, 'x')), chunk("fmt ", format),
                              chunk("data", samples)});
    WaveData lost = readFromBytes(runaway);
    EXPECT_TRUE(lost.format.empty());
    EXPECT_TRUE(lost.samples.empty());

    // Extra chunks before the format chunk, one of odd size with its pad byte, are stepped over.
    Bytes extras = riffWave({chunk("LIST", Bytes(7, 'x')), chunk("junk", Bytes(3, 'y')), chunk("fmt ", format),
                             chunk("fact", Bytes(4, 0)), chunk("data", samples)});
    WaveData stepped = readFromBytes(extras);
    EXPECT_EQ(stepped.format, format);
    EXPECT_EQ(stepped.samples, samples);

    // An odd-sized chunk whose writer left out the pad byte throws the walk off: silence, no crash.
    Bytes unpadded = riffWave({chunk("fmt ", format)});
    Bytes odd{'o', 'd', 'd', ' ', 3, 0, 0, 0, 1, 2, 3};
    unpadded.insert(unpadded.end(), odd.begin(), odd.end());
    Bytes data = chunk("data", samples);
    unpadded.insert(unpadded.end(), data.begin(), data.end());
    EXPECT_TRUE(readFromBytes(unpadded).samples.empty());

    // A RIFF header that claims more than the file (a recorder that never finished) still reads
    // what the file holds whole.
    Bytes longRiff = riffWave({chunk("fmt ", format), chunk("data", samples)});
    longRiff[4] = 0xFF;
    longRiff[5] = 0xFF;
    EXPECT_EQ(readFromBytes(longRiff).samples, samples);

    // Not a WAVE at all.
    Bytes avi = riffWave({chunk("fmt ", format), chunk("data", samples)});
    avi[8] = 'A';
    EXPECT_TRUE(readFromBytes(avi).samples.empty());
    EXPECT_TRUE(readFromBytes(Bytes{'R', 'I', 'F'}).samples.empty());
    EXPECT_TRUE(readFromBytes(Bytes{}).format.empty());

    // A data chunk found before the format chunk does not count.
    EXPECT_TRUE(readFromBytes(riffWave({chunk("data", samples), chunk("fmt ", format)})).samples.empty());
}

TEST(WaveData, LoadEmptiesSamplesAndKeepsFormatWhenFileIsMissing) {
    TempFolder folder;
    const Bytes format = pcmFormat(2, 22050, 16);
    writeBytes(folder.path("good.wav"), riffWave({chunk("fmt ", format), chunk("data", pattern(64))}));

    WaveData data;
    data.load(folder.path("good.wav"));
    EXPECT_EQ(data.samples.size(), 64u);
    data.load(folder.path("missing.wav"));
    EXPECT_TRUE(data.samples.empty());
    EXPECT_EQ(data.format, format);
    // A folder in the file's place is a missing file.
    data.load(folder.path("good.wav"));
    std::filesystem::create_directory(folder.path("folder.wav"));
    data.load(folder.path("folder.wav"));
    EXPECT_TRUE(data.samples.empty());
    EXPECT_EQ(data.format, format);

    // Game paths use backslashes; they become slashes only when the file is opened.
    std::string windowsStyle = folder.path("good.wav");
    for (char& ch : windowsStyle) {
        if (ch == '/') ch = '\\';
    }
    data.load(windowsStyle);
    EXPECT_EQ(data.samples.size(), 64u);
}
