// POSIX: iconv, kept open across chunks; a character cut at a chunk's end is carried over.
#include <iconv.h>

#include <cerrno>

#include "base/utf.h"
#include "platform/codepage.h"

namespace tarnwick::platform {
namespace {

class IconvDecoder final : public TextDecoder {
public:
    explicit IconvDecoder(iconv_t cd) : cd_(cd) {}
    ~IconvDecoder() override { ::iconv_close(cd_); }
    IconvDecoder(const IconvDecoder&) = delete;
    IconvDecoder& operator=(const IconvDecoder&) = delete;

protected:
    std::size_t convert(std::string_view bytes, bool last, std::string& out) override {
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char buf[8192];
        // Each pass consumes input, replaces one undecodable byte, or stops at a cut character.
        while (inLeft > 0) {
            char* o = buf;
            std::size_t oLeft = sizeof buf;
            const std::size_t r = ::iconv(cd_, &in, &inLeft, &o, &oLeft);
            out.append(buf, static_cast<std::size_t>(o - buf));
            if (r != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            if (errno == EINVAL && !last && inLeft < 8) return bytes.size() - inLeft;  // a character cut by the chunk's end
            appendUtf8(out, 0xFFFD);  // EILSEQ, or a cut character at the very end
            ++in;
            --inLeft;
            ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return bytes.size();
    }

private:
    iconv_t cd_;
};

}  // namespace

std::unique_ptr<TextDecoder> openDecoder(const char* charset) {
    iconv_t cd = ::iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    return std::make_unique<IconvDecoder>(cd);
}

}  // namespace tarnwick::platform
