#include "report/message_text.hpp"

#include <gtest/gtest.h>

#include "report/count_text.hpp"
#include "session/simulation_run.hpp"
#include "support/recording_observer.hpp"
#include "support/report_helpers.hpp"

namespace ferrolith {
namespace {

using testing::repeated;

struct EscapeCase {
    std::string text;
    std::string kept;     // LineBreaks::Keep
    std::string escaped;  // LineBreaks::Escape
    std::string oneLine;  // oneLineMessage
};

TEST(MessageText, ControlCharactersAreEscaped) {
    const EscapeCase cases[] = {
        {"plain text, \\ and \"quotes\"", "plain text, \\ and \"quotes\"",
         "plain text, \\ and \"quotes\"", "plain text, \\ and \"quotes\""},
        {"a\nb", "a\\nb", "a\\nb", "a\\nb"},
        {"a\rb", "a\\rb", "a\\rb", "a\\rb"},
        {"a\tb", "a\\tb", "a\\tb", "a\\tb"},
        {"\x1b[2J", "\\x1b[2J", "\\x1b[2J", "\\x1b[2J"},
        {std::string("a\0b", 3), "a\\x00b", "a\\x00b", "a\\x00b"},
        {"\x7f\x1f", "\\x7f\\x1f", "\\x7f\\x1f", "\\x7f\\x1f"},
        {"Simulation Complete\r\nSave File?", "Simulation Complete\r\nSave File?",
         "Simulation Complete\\r\\nSave File?", "Simulation Complete Save File?"},
        {"\n\r\r\n\n", "\\n\\r\r\n\\n", "\\n\\r\\r\\n\\n", "\\n\\r \\n"},
        {"caf\xc3\xa9 \x80\xff", "caf\xc3\xa9 \\x80\\xff", "caf\xc3\xa9 \\x80\\xff",
         "caf\xc3\xa9 \\x80\\xff"},
        // Overlong, a surrogate, past U+10FFFF; a four-byte character, then a cut-off one.
        {"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80", "\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80",
         "\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80",
         "\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80"},
        {"\xf0\x9f\x98\x80\xe2\x82", "\xf0\x9f\x98\x80\\xe2\\x82", "\xf0\x9f\x98\x80\\xe2\\x82",
         "\xf0\x9f\x98\x80\\xe2\\x82"},
        {"", "", "", ""},
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(escapeControlCharacters(c.text, LineBreaks::Keep), c.kept) << c.text;
        EXPECT_EQ(escapeControlCharacters(c.text, LineBreaks::Escape), c.escaped) << c.text;
        EXPECT_EQ(oneLineMessage(c.text), c.oneLine) << c.text;
    }
}

TEST(MessageText, UserTextShowsAtMost60CharactersEscaped) {
    const std::string x59(59, 'x'), x60(60, 'x'), ellipsis = "\u2026", e = "\xc3\xa9";
    struct ShortenCase {
        std::string text;
        std::string head;  // shortenedText
        std::string tail;  // shortenedTail
    };
    const ShortenCase cases[] = {
        {"", "", ""},
        {x60, x60, x60},
        {x60 + "y", x60 + ellipsis, ellipsis + x59 + "y"},
        {repeated(e, 61), repeated(e, 60) + ellipsis, ellipsis + repeated(e, 60)},
        {repeated("\xf0\x9f\x98\x80", 60), repeated("\xf0\x9f\x98\x80", 60),
         repeated("\xf0\x9f\x98\x80", 60)},
        // An escape or a byte that is not UTF-8 is one character.
        {x59 + "\n\xff", x59 + "\\n" + ellipsis, ellipsis + std::string(58, 'x') + "\\n\\xff"},
        {"\xe2\x82" + x60, "\\xe2\\x82" + std::string(58, 'x') + ellipsis, ellipsis + x60},
    };
    for (const ShortenCase& c : cases) {
        EXPECT_EQ(shortenedText(c.text), c.head) << c.text;
        EXPECT_EQ(quotedText(c.text), "\"" + c.head + "\"") << c.text;
        EXPECT_EQ(shortenedTail(c.text), c.tail) << c.text;
    }
}

TEST(MessageText, UserTextInRunMessagesStaysOnOneLine) {
    EXPECT_EQ(countMessage("Sample Size", "1\r\n2\x1b"),
              "Sample Size: \"1\\r\\n2\\x1b\" is not a number that rounds to a whole number from 1 "
              "to 32767.");
    testing::RecordingObserver o;
    Study study;
    study.parameters[3] = "225\n\x1b[2J,10";
    EXPECT_EQ(runSimulation({study, {}}, o).outcome, RunOutcome::Failed);
    ASSERT_EQ(o.boxes.size(), 1u);
    EXPECT_EQ(
        o.boxes[0].prompt,
        "Beam Allowable Stress (N/mm2): the parameters \"225\\n\\x1b[2J,10\" are not two numbers "
        "separated by a comma.");
}

TEST(MessageText, RunMessagesQuoteAtMost60CharactersOfALongText) {
    EXPECT_EQ(countMessage("No. Repititions", std::string(100, '9')),
              "No. Repititions: \"" + std::string(60, '9') +
                  "\u2026\" is not a number that rounds to a whole number from 1 to 32767.");
    testing::RecordingObserver o;
    Study study;
    study.parameters[0] = std::string(100'000, 'x') + "\xff";
    EXPECT_EQ(runSimulation({study, {}}, o).outcome, RunOutcome::Failed);
    ASSERT_EQ(o.boxes.size(), 1u);
    EXPECT_EQ(o.boxes[0].prompt, "Beam Length (m): the parameters \"" + std::string(60, 'x') +
                                     "\u2026\" are not two numbers separated by a comma.");
}

}  // namespace
}  // namespace ferrolith
