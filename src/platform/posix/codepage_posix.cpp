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

    void decode(std::string_view bytes, bool last, std::string& out) override {
        // The carried bytes of a cut character go first; they are never more than a few.
        std::string joined;
        if (!carry_.empty()) {
            joined = carry_;
            joined.append(bytes);
            bytes = joined;
            carry_.clear();
        }
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
            if (errno == EINVAL && !last && inLeft < 8) {  // a character cut by the chunk's end
                carry_.assign(in, inLeft);
                return;
            }
            appendUtf8(out, 0xFFFD);  // EILSEQ, or a cut character at the very end
            ++in;
            --inLeft;
            ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    iconv_t cd_;
    std::string carry_;
};

}  // namespace

std::unique_ptr<TextDecoder> openDecoder(const char* charset) {
    iconv_t cd = ::iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    return std::make_unique<IconvDecoder>(cd);
}

}  // namespace tarnwick::platform
