#include "formats/doc/fkp.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "formats/doc/errors.h"
#include "formats/doc/plc.h"

namespace tarnwick::doc {

Result<PlcBte> parsePlcBte(Bytes plc, std::size_t maxPages, const char* what) {
    auto parsed = parsePlc(plc, 4, maxPages, what);
    if (!parsed) return parsed.error();
    PlcBte out;
    out.aPn.resize(parsed->count());
    for (std::size_t i = 0; i < out.aPn.size(); ++i) {
        readLE(parsed->element(i), 0, out.aPn[i]);
        out.aPn[i] &= 0x3FFFFF;
    }
    return out;
}

Result<ChpxFkp> parseChpxFkp(Bytes page) {
    if (page.size() != kFkpSize) return damaged("字符格式页不完整");
    const std::size_t crun = page[kFkpSize - 1];
    // rgfc (crun + 1) * 4 and rgb crun bytes, before crun itself.
    const std::size_t rgbEnd = (crun + 1) * 4 + crun;
    if (crun == 0 || rgbEnd > kFkpSize - 1) return damaged("字符格式页的项数不正确");
    ChpxFkp out;
    out.rgfc.resize(crun + 1);
    for (std::size_t i = 0; i <= crun; ++i) readLE(page, i * 4, out.rgfc[i]);
    out.grpprl.resize(crun);
    for (std::size_t i = 0; i < crun; ++i) {
        const std::size_t offset = std::size_t{page[(crun + 1) * 4 + i]} * 2;
        if (offset == 0) continue;  // no Chpx: default properties
        // [MS-DOC] 2.9.32 Chpx: cb, then cb bytes of grpprl, between the end of rgb and crun.
        if (offset < rgbEnd || offset >= kFkpSize - 1) return damaged("字符格式页中的位置超出范围");
        const std::size_t cb = page[offset];
        if (offset + 1 + cb > kFkpSize - 1) return damaged("字符格式超出格式页");
        out.grpprl[i] = page.subspan(offset + 1, cb);
    }
    return out;
}

Result<PapxFkp> parsePapxFkp(Bytes page) {
    if (page.size() != kFkpSize) return damaged("段落格式页不完整");
    constexpr std::size_t kBxPap = 13;  // bOffset + 12-byte PHE
    const std::size_t cpara = page[kFkpSize - 1];
    const std::size_t rgbxEnd = (cpara + 1) * 4 + cpara * kBxPap;
    if (cpara == 0 || rgbxEnd > kFkpSize - 1) return damaged("段落格式页的项数不正确");
    PapxFkp out;
    out.rgfc.resize(cpara + 1);
    for (std::size_t i = 0; i <= cpara; ++i) readLE(page, i * 4, out.rgfc[i]);
    out.papx.resize(cpara);
    for (std::size_t i = 0; i < cpara; ++i) {
        const std::size_t offset = std::size_t{page[(cpara + 1) * 4 + i * kBxPap]} * 2;
        if (offset == 0) continue;
        if (offset < rgbxEnd || offset >= kFkpSize - 1) return damaged("段落格式页中的位置超出范围");
        // cb != 0: 2 cb - 1 bytes follow; cb == 0: the next byte cb' and then 2 cb' bytes.
        std::size_t start = offset + 1;
        std::size_t size = page[offset];
        if (size != 0) {
            size = 2 * size - 1;
        } else {
            if (start >= kFkpSize - 1) return damaged("段落格式超出格式页");
            size = std::size_t{page[start]} * 2;
            ++start;
        }
        if (start + size > kFkpSize - 1) return damaged("段落格式超出格式页");
        if (size < 2) return damaged("段落格式中没有样式号");
        const Bytes body = page.subspan(start, size);
        readLE(body, 0, out.papx[i].istd);
        out.papx[i].grpprl = body.subspan(2);
    }
    return out;
}

namespace {

template <class Fkp, class ParseFn, class Emit>
Result<std::vector<FcRun>> readRuns(Bytes wordDocument, const PlcBte& bte, ParseFn parse, Emit emit) {
    std::vector<FcRun> runs;
    std::unordered_set<std::uint32_t> seen;
    for (std::uint32_t pn : bte.aPn) {
        if (!seen.insert(pn).second) return damaged("格式页被重复引用");
        const std::size_t at = std::size_t{pn} * kFkpSize;
        if (at > wordDocument.size() || wordDocument.size() - at < kFkpSize) return damaged("格式页超出文档流");
        auto fkp = parse(wordDocument.subspan(at, kFkpSize));
        if (!fkp) return fkp.error();
        const Fkp& f = *fkp;
        for (std::size_t i = 0; i + 1 < f.rgfc.size(); ++i) {
            if (f.rgfc[i + 1] <= f.rgfc[i]) continue;  // empty or reversed: nothing to format
            FcRun run;
            run.fcStart = f.rgfc[i];
            run.fcEnd = f.rgfc[i + 1];
            emit(f, i, run);
            runs.push_back(run);
        }
    }
    std::stable_sort(runs.begin(), runs.end(), [](const FcRun& a, const FcRun& b) { return a.fcStart < b.fcStart; });
    return runs;
}

}  // namespace

Result<std::vector<FcRun>> readChpxRuns(Bytes wordDocument, const PlcBte& bte) {
    return readRuns<ChpxFkp>(wordDocument, bte, parseChpxFkp,
                             [](const ChpxFkp& f, std::size_t i, FcRun& run) { run.grpprl = f.grpprl[i]; });
}

Result<std::vector<FcRun>> readPapxRuns(Bytes wordDocument, const PlcBte& bte) {
    return readRuns<PapxFkp>(wordDocument, bte, parsePapxFkp, [](const PapxFkp& f, std::size_t i, FcRun& run) {
        run.istd = f.papx[i].istd;
        run.grpprl = f.papx[i].grpprl;
    });
}

const FcRun* findRun(const std::vector<FcRun>& runs, std::uint32_t fc) {
    // The last run starting at or before fc; overlapping runs (damaged files) resolve to the
    // later-starting one.
    auto it = std::upper_bound(runs.begin(), runs.end(), fc, [](std::uint32_t v, const FcRun& r) { return v < r.fcStart; });
    if (it == runs.begin()) return nullptr;
    --it;
    return fc < it->fcEnd ? &*it : nullptr;
}

}  // namespace tarnwick::doc
