#include "run/message_text.hpp"

#include <gtest/gtest.h>

#include "run/count_text.hpp"
#include "support/recording_observer.hpp"

namespace ferrolith {
namespace {

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
        {"caf\xc3\xa9 \x80\xff", "caf\xc3\xa9 \x80\xff", "caf\xc3\xa9 \x80\xff",
         "caf\xc3\xa9 \x80\xff"},
        {"", "", "", ""},
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(escapeControlCharacters(c.text, LineBreaks::Keep), c.kept) << c.text;
        EXPECT_EQ(escapeControlCharacters(c.text, LineBreaks::Escape), c.escaped) << c.text;
        EXPECT_EQ(oneLineMessage(c.text), c.oneLine) << c.text;
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

}  // namespace
}  // namespace ferrolith
