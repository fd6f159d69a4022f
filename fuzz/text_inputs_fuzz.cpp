// Every text a user can type reaches these conversions: the count texts, the parameter texts and
// the driver's command line. Besides the sanitizers' checks, each conversion's promises are
// checked, and a broken one aborts the run as a crash.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.hpp"
#include "model/parse_parameter.hpp"
#include "report/count_text.hpp"
#include "report/message_text.hpp"
#include "report/number_format.hpp"

namespace {

using namespace ferrolith;

void require(bool promise) {
    if (!promise) std::abort();
}

bool hasControlCharacter(std::string_view text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) return true;
    }
    return false;
}

void countText(std::string_view text) {
    if (const auto count = convertCount(text)) {
        require(*count >= 1 && *count <= largestCount);
    } else {
        require(!hasControlCharacter(countMessage("Sample Size", text)));
    }
}

void parameterText(const std::string& text) {
    if (const auto value = convertNumber(text)) {
        // Every figure the report could show of it is one line, and the fixed form reads back
        // as the number it shows: within half its last digit, after rounding to 15 digits.
        for (const std::string& figure : {formatFixed(*value), formatPercent(*value),
                                          formatEngineering(*value), formatGeneral(*value)})
            require(!figure.empty() && !hasControlCharacter(figure));
        if (std::isfinite(*value)) {
            const auto back = convertNumber(formatFixed(*value));
            require(back && std::fabs(*back - *value) <= 0.0005 + std::fabs(*value) * 1e-14);
        }
    }
    std::array<std::string, inputVariableCount> texts;
    texts.fill(text);
    std::array<std::string, inputVariableCount> choices;
    ParameterArray a{}, b{};
    NameArray names;
    try {
        readInputs(texts, choices, a, b, names);
    } catch (const ParameterError& e) {
        require(e.text() == text);
    }
}

void messages(std::string_view text) {
    require(!hasControlCharacter(oneLineMessage(text)));
    require(!hasControlCharacter(escapeControlCharacters(text, LineBreaks::Escape)));
    // A quote is already one line of UTF-8: escaping it again changes nothing.
    const std::string quoted = quotedText(text);
    require(oneLineMessage(quoted) == quoted);
    require(oneLineMessage(shortenedTail(text)) == shortenedTail(text));
}

// The input split at NUL bytes is the argument list.
void commandLine(std::string_view data) {
    std::vector<std::string> args;
    for (std::size_t start = 0;;) {
        const std::size_t end = data.find('\0', start);
        args.emplace_back(data.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    std::ostringstream help;
    try {
        const CommandLine parsed = parseCommandLine(args, help);
        require(parsed.request.options.threads >= 0 && parsed.request.options.threads <= 256);
    } catch (const CommandLineError& e) {
        require(!hasControlCharacter(oneLineMessage(e.what())));
    }
}

}  // namespace

// The first byte chooses: one in four inputs ("-" among them) is a command line, whose parser
// costs ten times the texts' conversions; the others are a count and a parameter text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    if ((data[0] & 3) == 1) {
        commandLine(text);
    } else {
        countText(text);
        parameterText(text);
        messages(text);
    }
    return 0;
}
