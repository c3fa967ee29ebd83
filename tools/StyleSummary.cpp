#include "StyleSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace brio {

namespace {

// A figure with `decimals` decimals; "-inf" for silence, so that the CSV reads back as a number.
std::string number(double value, int decimals = 1) {
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::optional<double> loudestPart(const StyleFigures& figures) {
    std::optional<double> loudest;
    for (const auto& lufs : figures.partLufs) {
        if (lufs && (!loudest || *lufs > *loudest)) loudest = lufs;
    }
    return loudest;
}

// A CSV field in quotes, its own quotes doubled.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// "-21.3 (4.2)": the part's loudness and how far it sits under the loudest part.
std::string partCell(const StyleFigures& figures, size_t part) {
    const auto gap = gapBelowLoudest(figures, part);
    if (!gap) return "off";
    if (std::isinf(*gap)) return "silent";
    return number(*figures.partLufs[part]) + " (" + number(*gap) + ")";
}

// Mean and largest deviation of the drum onsets; `none` without drums.
std::string onsetCell(const StyleFigures& figures, const std::string& separator,
                      const std::string& none) {
    if (figures.drumOnsets == 0) return none;
    return number(figures.onsetMeanMs, 2) + separator + number(figures.onsetMaxMs, 2);
}

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return bool(file.flush());
}

}  // namespace

std::string partName(size_t part) {
    return part == 0 ? "drums" : "part " + std::to_string(part);
}

std::optional<double> gapBelowLoudest(const StyleFigures& figures, size_t part) {
    const auto lufs = figures.partLufs[part];
    if (!lufs) return std::nullopt;
    if (std::isinf(*lufs)) return HUGE_VAL;  // silent although on
    return *loudestPart(figures) - *lufs;
}

std::string limitFlags(const StyleFigures& figures) {
    std::string flags;
    const auto add = [&flags](const std::string& text) {
        flags += (flags.empty() ? "" : "; ") + text;
    };
    if (!(std::fabs(figures.mix.lufs - targetLufs) <= lufsTolerance)) {
        add("mix " + number(figures.mix.lufs) + " LUFS");
    }
    for (size_t part = 0; part < StyleFigures::partCount; ++part) {
        const auto gap = gapBelowLoudest(figures, part);
        if (!gap || *gap <= maxPartGapLu) continue;
        add(partName(part) + (std::isinf(*gap) ? " silent" : " " + number(*gap) + " LU under"));
    }
    return flags;
}

bool writeSummaryMarkdown(const std::string& path, const std::vector<StyleFigures>& styles) {
    std::string text =
        "Loudness after EBU R128 over the 8 bars. Parts: LUFS alone (LU under the style's loudest "
        "part). Drum onsets: mean / max ms from the ideal step grid. Flags: mix outside " +
        number(targetLufs) + " ± " + number(lufsTolerance) + " LUFS, or a part more than " +
        number(maxPartGapLu) +
        " LU under the loudest.\n\n"
        "| # | Style | LUFS | Peak dBFS | True peak dBTP | Drums | Part 1 | Part 2 | Part 3 | "
        "Part 4 | Drum onsets ms | Flags |\n"
        "|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|\n";
    for (const StyleFigures& style : styles) {
        text += "| " + std::to_string(style.index) + " | " + style.name + " | " +
                number(style.mix.lufs) + " | " + number(style.mix.samplePeakDb) + " | " +
                number(style.mix.truePeakDb) + " | ";
        for (size_t part = 0; part < StyleFigures::partCount; ++part) {
            text += partCell(style, part) + " | ";
        }
        text += onsetCell(style, " / ", "-") + " | " + limitFlags(style) + " |\n";
    }
    return writeText(path, text);
}

bool writeSummaryCsv(const std::string& path, const std::vector<StyleFigures>& styles) {
    std::string text = "index,name,mix_lufs,sample_peak_dbfs,true_peak_dbtp";
    for (size_t part = 0; part < StyleFigures::partCount; ++part) {
        const std::string column = part == 0 ? "drums" : "part" + std::to_string(part);
        text += "," + column + "_lufs," + column + "_under_loudest_lu";
    }
    text += ",onset_mean_ms,onset_max_ms,flags\n";
    for (const StyleFigures& style : styles) {
        text += std::to_string(style.index) + "," + quoted(style.name) + "," +
                number(style.mix.lufs, 2) + "," + number(style.mix.samplePeakDb, 2) + "," +
                number(style.mix.truePeakDb, 2);
        for (size_t part = 0; part < StyleFigures::partCount; ++part) {
            const auto gap = gapBelowLoudest(style, part);
            text += gap ? "," + number(*style.partLufs[part], 2) + "," + number(*gap, 2) : ",,";
        }
        text += "," + onsetCell(style, ",", ",") + "," + quoted(limitFlags(style)) + "\n";
    }
    return writeText(path, text);
}

}  // namespace brio
