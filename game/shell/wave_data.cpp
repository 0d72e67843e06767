#include "wave_data.h"

#include "host_path.h"
#include "read_failures.h"
#include "whole_file.h"

#include <cstring>
#include <fstream>
#include <istream>
#include <optional>

namespace {

struct ChunkSpan {
    std::uint64_t body;  // file offset of the first byte after the 8-byte header
    std::uint64_t size;  // as the header claims it; may reach past the file
};

// A seekable file with a known length; every read is bounded by it.
class RiffFile {
public:
    explicit RiffFile(std::istream& in) : in_(in) {
        in_.seekg(0, std::ios::end);
        std::streamoff end = in_.tellg();
        length_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    }

    std::uint64_t length() const { return length_; }

    // Reads up to size bytes at offset into out; returns how many came.
    std::uint64_t readAt(std::uint64_t offset, std::uint8_t* out, std::uint64_t size) {
        if (offset >= length_) return 0;
        std::uint64_t available = length_ - offset;
        if (size > available) size = available;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(size));
        return static_cast<std::uint64_t>(in_.gcount());
    }

    bool readHeader(std::uint64_t offset, char id[4], std::uint32_t& size) {
        std::uint8_t bytes[8];
        if (readAt(offset, bytes, 8) != 8) return false;
        std::memcpy(id, bytes, 4);
        size = bytes[4] | bytes[5] << 8 | bytes[6] << 16 | static_cast<std::uint32_t>(bytes[7]) << 24;
        return true;
    }

    // Walks the chunks from offset up to end and returns the first with the id. Chunks of odd size
    // are followed by one pad byte, as RIFF requires.
    std::optional<ChunkSpan> findChunk(const char* wanted, std::uint64_t offset, std::uint64_t end) {
        char id[4];
        std::uint32_t size = 0;
        while (offset + 8 <= end && readHeader(offset, id, size)) {
            if (std::memcmp(id, wanted, 4) == 0) return ChunkSpan{offset + 8, size};
            offset += 8 + std::uint64_t{size} + (size & 1u);
        }
        return std::nullopt;
    }

    // The body of the first top-level "RIFF" chunk of form type "WAVE", clipped to the file.
    std::optional<ChunkSpan> findWaveForm() {
        std::uint64_t offset = 0;
        while (auto riff = findChunk("RIFF", offset, length_)) {
            char form[4];
            if (readAt(riff->body, reinterpret_cast<std::uint8_t*>(form), 4) == 4 &&
                std::memcmp(form, "WAVE", 4) == 0) {
                std::uint64_t begin = riff->body + 4;
                std::uint64_t end = riff->body + riff->size;
                if (end > length_) end = length_;
                if (end < begin) end = begin;
                return ChunkSpan{begin, end - begin};
            }
            offset = riff->body + riff->size + (riff->size & 1u);
        }
        return std::nullopt;
    }

private:
    std::istream& in_;
    std::uint64_t length_ = 0;
};

// Sizes the vector to the chunk only when the file holds it whole; returns whether it did.
bool readChunk(RiffFile& file, const ChunkSpan& chunk, std::vector<std::uint8_t>& out) {
    std::uint64_t available = chunk.body < file.length() ? file.length() - chunk.body : 0;
    std::uint64_t wanted = chunk.size < available ? chunk.size : available;
    out.resize(static_cast<std::size_t>(wanted));
    std::uint64_t got = file.readAt(chunk.body, out.data(), wanted);
    out.resize(static_cast<std::size_t>(got));
    return got == chunk.size;
}

}  // namespace

void WaveData::load(const std::string& gamePath) {
    samples.clear();
    std::ifstream in;
    std::string why;
    const std::string path = hostPath(gamePath);
    if (!openRegularFile(in, path, &why)) {
        read_failures::note(path, why);
        return;
    }
    read(in);
    if (samples.empty()) read_failures::note(path, "not a WAVE sound this game can play");
}

void WaveData::read(std::istream& in) {
    samples.clear();
    RiffFile file(in);
    auto form = file.findWaveForm();
    if (!form) {
        format.clear();
        return;
    }
    std::uint64_t formEnd = form->body + form->size;
    auto fmt = file.findChunk("fmt ", form->body, formEnd);
    if (!fmt) {
        format.clear();
        return;
    }
    if (!readChunk(file, *fmt, format)) return;

    // The data chunk is looked for after the format chunk, where RIFF WAVE puts it.
    std::uint64_t afterFmt = fmt->body + fmt->size + (fmt->size & 1u);
    auto data = file.findChunk("data", afterFmt, formEnd);
    if (!data) return;
    if (!readChunk(file, *data, samples)) samples.clear();
}
