#include "StyleSummary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "accompaniment/BaseStyle.h"

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

// "-21.3 (4.2)": the part's loudness and how far it sits under the loudest part; "rests" for a
// part that plays only in other sections.
std::string partCell(const StyleFigures& figures, size_t part) {
    const auto gap = gapBelowLoudest(figures, part);
    if (!gap) return figures.restsInMainA[part] ? "rests" : "off";
    if (std::isinf(*gap)) return "silent";
    return number(*figures.partLufs[part]) + " (" + number(*gap) + ")";
}

// Mean and largest deviation of the drum onsets; `none` without drums.
std::string onsetCell(const StyleFigures& figures, const std::string& separator,
                      const std::string& none) {
    if (figures.drumOnsets == 0) return none;
    return number(figures.onsetMeanMs, 2) + separator + number(figures.onsetMaxMs, 2);
}

// "-18.2 / -4.1": the section's loudness and true peak; "-" where the style has none.
std::string sectionCell(const StyleFigures& figures, Section section) {
    const auto& loudness = figures.sections[size_t(section)];
    if (!loudness) return "-";
    return number(loudness->lufs) + " / " + number(loudness->truePeakDb);
}

constexpr std::array<const char*, sectionCount> sectionTitles{"Intro", "Main A", "Main B", "Fill A",
                                                              "Fill B", "Break", "Ending"};

// The sections other than Main A, in the order of the table.
constexpr std::array<Section, 6> otherSections{Section::intro, Section::mainB, Section::fillA,
                                               Section::fillB, Section::breakBar, Section::ending};

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return bool(file.flush());
}

}  // namespace

std::string partName(size_t part) {
    return part == 0 ? "drums" : "part " + std::to_string(part);
}

std::string sectionName(Section section) { return BaseStyle::sectionKey(section); }

std::optional<double> sectionTolerance(Section section) {
    switch (section) {
        case Section::intro:
        case Section::ending:
            return introEndingToleranceLu;
        case Section::breakBar:
            return std::nullopt;
        default:
            return lufsTolerance;
    }
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
    for (const Section section : otherSections) {
        const auto& loudness = figures.sections[size_t(section)];
        if (!loudness) continue;
        const auto tolerance = sectionTolerance(section);
        if (tolerance && !(std::fabs(loudness->lufs - targetLufs) <= *tolerance)) {
            add(sectionName(section) + " " + number(loudness->lufs) + " LUFS");
        }
        if (!(loudness->truePeakDb < maxTruePeakDbtp)) {
            add(sectionName(section) + " peak " + number(loudness->truePeakDb) + " dBTP");
        }
    }
    for (size_t part = 0; part < StyleFigures::partCount; ++part) {
        const auto gap = gapBelowLoudest(figures, part);
        if (!gap || *gap <= maxPartGapLu) continue;
        add(partName(part) + (std::isinf(*gap) ? " silent" : " " + number(*gap) + " LU under"));
    }
    return flags;
}

bool writeSummaryMarkdown(const std::string& path, const std::vector<StyleFigures>& styles,
                          const ClosestPair& closest) {
    std::string text =
        "Loudness after EBU R128 over the 8 bars of Main A. Parts: LUFS alone in Main A (LU under "
        "the style's loudest part). Sections: LUFS / true peak dBTP of each section's mix, rendered "
        "as render-styles.cpp says. Drum onsets: mean / max ms from the ideal step grid. Flags: mix, "
        "a main or a fill outside " +
        number(targetLufs) + " ± " + number(lufsTolerance) + " LUFS, an intro or an ending outside ± " +
        number(introEndingToleranceLu) + ", a section's true peak not under " + number(maxTruePeakDbtp) +
        " dBTP, or a part more than " + number(maxPartGapLu) + " LU under the loudest. Low: the share "
        "of Main A's power under " + number(lowEndCutoffHz, 0) + " Hz; lean: dB of the right channel's "
        "power over the left's.\n\n"
        "| # | Style | LUFS | Peak dBFS | True peak dBTP | Low % | Lean dB | Drums | Part 1 | Part 2 | Part 3 | Part 4 |";
    std::string rule = "|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|";
    for (const Section section : otherSections) {
        text += std::string(" ") + sectionTitles[size_t(section)] + " |";
        rule += "---:|";
    }
    text += " Drum onsets ms | Flags |\n" + rule + "---:|---|\n";
    for (const StyleFigures& style : styles) {
        text += "| " + std::to_string(style.index) + " | " + style.name + " | " +
                number(style.mix.lufs) + " | " + number(style.mix.samplePeakDb) + " | " +
                number(style.mix.truePeakDb) + " | " + number(100.0 * style.balance.lowShare, 0) + " | " +
                number(style.balance.leanDb) + " | ";
        for (size_t part = 0; part < StyleFigures::partCount; ++part) {
            text += partCell(style, part) + " | ";
        }
        for (const Section section : otherSections) text += sectionCell(style, section) + " | ";
        text += onsetCell(style, " / ", "-") + " | " + limitFlags(style) + " |\n";
    }
    if (closest.agreement > 0.0) {
        text += "\nClosest grooves: " + closest.first + " and " + closest.second + ", their drums and bass "
                "agreeing on " + number(100.0 * closest.agreement, 0) + " % of the steps either plays.\n";
    }
    return writeText(path, text);
}

bool writeSummaryCsv(const std::string& path, const std::vector<StyleFigures>& styles) {
    std::string text = "index,name,mix_lufs,sample_peak_dbfs,true_peak_dbtp,low_share,lean_db";
    for (size_t part = 0; part < StyleFigures::partCount; ++part) {
        const std::string column = part == 0 ? "drums" : "part" + std::to_string(part);
        text += "," + column + "_lufs," + column + "_under_loudest_lu";
    }
    for (const Section section : otherSections) {
        text += "," + sectionName(section) + "_lufs," + sectionName(section) + "_true_peak_dbtp";
    }
    text += ",onset_mean_ms,onset_max_ms,flags\n";
    for (const StyleFigures& style : styles) {
        text += std::to_string(style.index) + "," + quoted(style.name) + "," +
                number(style.mix.lufs, 2) + "," + number(style.mix.samplePeakDb, 2) + "," +
                number(style.mix.truePeakDb, 2) + "," + number(style.balance.lowShare, 3) + "," +
                number(style.balance.leanDb, 2);
        for (size_t part = 0; part < StyleFigures::partCount; ++part) {
            const auto gap = gapBelowLoudest(style, part);
            text += gap ? "," + number(*style.partLufs[part], 2) + "," + number(*gap, 2) : ",,";
        }
        for (const Section section : otherSections) {
            const auto& loudness = style.sections[size_t(section)];
            text += loudness ? "," + number(loudness->lufs, 2) + "," + number(loudness->truePeakDb, 2) : ",,";
        }
        text += "," + onsetCell(style, ",", ",") + "," + quoted(limitFlags(style)) + "\n";
    }
    return writeText(path, text);
}

}  // namespace brio
