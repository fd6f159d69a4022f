#include "files/study_file.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/bad_study_texts.hpp"
#include "support/report_helpers.hpp"

namespace ferrolith {
namespace {

namespace fs = std::filesystem;

// A study file's text with one part replaced, so each bad case shows only what it breaks.
std::string defaultText() { return studyFileText(Study()); }

using testing::repeated;
using testing::replaced;
using testing::studyTextWith;
using testing::version2Text;

std::string refusal(const std::string& text) {
    try {
        parseStudyText(text, "s.json");
    } catch (const StudyFileError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(StudyFile, WritesTheInputsAsTextsInTheirFixedOrder) {
    Study study;
    study.distributions[5] = "Poisson";
    study.parameters[5] = "12,2";
    study.seed = 18446744073709551615u;
    study.target.typed = TypedTarget{4.25, "client's brief"};
    setRole(study, InputVariable::UdlValue, LoadRole::Permanent);
    // An empty project field is left out.
    study.project = {"Bridge 4, \"east\" span", "A. Engineer", ""};
    EXPECT_EQ(studyFileText(study), R"({
  "schemaVersion": 3,
  "repetitions": "25",
  "samples": "1000",
  "variables": [
    {
      "name": "BeamLength",
      "parameters": "4,0.05",
      "distribution": ""
    },
    {
      "name": "BeamWidth",
      "parameters": "75,10",
      "distribution": ""
    },
    {
      "name": "BeamDepth",
      "parameters": "225,10",
      "distribution": ""
    },
    {
      "name": "AllowableStress",
      "parameters": "20,3",
      "distribution": ""
    },
    {
      "name": "PointLoadLocation",
      "parameters": "2,0.25",
      "distribution": ""
    },
    {
      "name": "PointLoadValue",
      "parameters": "12,2",
      "distribution": "Poisson"
    },
    {
      "name": "UdlValue",
      "parameters": "4,2.5",
      "distribution": ""
    }
  ],
  "target": {
    "reliabilityClass": "RC2",
    "referencePeriodYears": 50,
    "typed": {
      "index": 4.25,
      "source": "client's brief"
    }
  },
  "loadRoles": {
    "PointLoadValue": "variable",
    "UdlValue": "permanent"
  },
  "fractiles": {
    "allowableStress": 0.05,
    "variableLoadAnnualMaximum": 0.98
  },
  "project": "Bridge 4, \"east\" span",
  "engineer": "A. Engineer",
  "seed": 18446744073709551615
}
)");
}

TEST(StudyFile, ReadsBackWhatItWrote) {
    Study study;
    study.repetitions = " 2.5";
    study.samples = "abc";
    study.parameters = {"4, 0.05", "", "1,000", "x\"y\\z", "Grüße", "\t", "7,8,9"};
    study.distributions = {"Normal",  "Log-Normal",       "Gamma", "Gumbel",
                           "Poisson", "Others to follow", ""};
    for (std::optional<std::uint64_t> seed :
         {std::optional<std::uint64_t>{}, std::optional<std::uint64_t>{0}, {42}}) {
        study.seed = seed;
        EXPECT_EQ(parseStudyText(studyFileText(study), "s.json"), study);
    }
    const TargetBasis targets[] = {
        {ReliabilityClass::RC1, ReferencePeriod::OneYear, std::nullopt},
        {ReliabilityClass::RC3, ReferencePeriod::FiftyYears, std::nullopt},
        {ReliabilityClass::RC2, ReferencePeriod::OneYear, TypedTarget{0.0, ""}},
        {ReliabilityClass::RC2, ReferencePeriod::FiftyYears, TypedTarget{8.0, "Grüße \"x\""}},
    };
    for (const TargetBasis& target : targets) {
        study.target = target;
        setRole(study, InputVariable::PointLoadValue, LoadRole::Permanent);
        study.fractiles = {0.001, 0.999};
        EXPECT_EQ(parseStudyText(studyFileText(study), "s.json"), study);
    }
    const ProjectDetails details[] = {
        {"", "", ""},
        {"Grüße \"x\" \\ y", "", "C. Checker"},
        {std::string(longestProjectText, 'p'), "É" + std::string(longestProjectText - 1, 'e'),
         "\t"},
    };
    for (const ProjectDetails& d : details) {
        study.project = d;
        if (d.checker == "\t") {
            // A tab is a control character: not a field's text.
            EXPECT_NE(refusal(studyFileText(study)), "accepted");
            continue;
        }
        EXPECT_EQ(parseStudyText(studyFileText(study), "s.json"), study);
    }
    // A version 3 study without them reads with them empty.
    EXPECT_EQ(parseStudyText(defaultText(), "s.json").project, ProjectDetails{});
}

// Version 1, or version 2 at 3.8, reads as RC2 over 50 years; version 2 at another index as that
// index typed, from the study file. Roles and fractiles take their defaults.
TEST(StudyFile, ReadsTheTargetsOfEarlierVersions) {
    const TargetBasis table;
    const struct {
        const char* what;
        std::string text;
        TargetBasis target;
    } cases[] = {
        {"version 1",
         replaced(replaced(version2Text("3.8"), ",\n  \"targetIndex\": 3.8", ""),
                  "\"schemaVersion\": 2", "\"schemaVersion\": 1"),
         table},
        {"version 2 at 3.8", version2Text("3.8"), table},
        {"version 2 at 3.80", version2Text("3.80"), table},
        {"version 2 at 4.25",
         version2Text("4.25"),
         {ReliabilityClass::RC2, ReferencePeriod::FiftyYears, TypedTarget{4.25, "study file"}}},
        {"version 2 at 0",
         version2Text("0"),
         {ReliabilityClass::RC2, ReferencePeriod::FiftyYears, TypedTarget{0.0, "study file"}}},
    };
    for (const auto& c : cases) {
        const Study study = parseStudyText(c.text, "s.json");
        EXPECT_EQ(study.target, c.target) << c.what;
        EXPECT_EQ(study.loadRoles, Study().loadRoles) << c.what;
        EXPECT_EQ(study.fractiles, Study().fractiles) << c.what;
    }
    EXPECT_EQ(Study().target.index(), 3.8);
}

TEST(StudyFile, AcceptsAnyLayoutOfTheSameJson) {
    const std::string compact =
        R"({"samples":"10","repetitions":"2","schemaVersion":1,"variables":[)"
        R"({"distribution":"","parameters":"4,0.05","name":"BeamLength"},)"
        R"({"name":"BeamWidth","parameters":"75,10","distribution":""},)"
        R"({"name":"BeamDepth","parameters":"225,10","distribution":""},)"
        R"({"name":"AllowableStress","parameters":"20,3","distribution":""},)"
        R"({"name":"PointLoadLocation","parameters":"2,0.25","distribution":""},)"
        R"({"name":"PointLoadValue","parameters":"10,1.5","distribution":""},)"
        R"({"name":"UdlValue","parameters":"4,2.5","distribution":"Gumbel"}],"seed":7})";
    const Study study = parseStudyText("\xEF\xBB\xBF" + compact, "s.json");
    EXPECT_EQ(study.repetitions, "2");
    EXPECT_EQ(study.samples, "10");
    EXPECT_EQ(study.distributions[6], "Gumbel");
    EXPECT_EQ(study.seed, 7u);
    EXPECT_EQ(study.target, TargetBasis());
}

struct BadCase {
    const char* what;
    std::string text;
    std::string message;
};

TEST(StudyFile, RefusesWhatIsNotAStudyNamingTheFileAndTheFault) {
    const std::string ok = defaultText();
    const std::string notStudy = "The study file s.json is not a study: ";
    const BadCase cases[] = {
        {"empty", "",
         "The study file s.json is not JSON: line 1, column 1: syntax error while "
         "parsing value - unexpected end of input; expected '[', '{', or a literal"},
        {"plain text", "VKM1 report\r\n",
         "The study file s.json is not JSON: line 1, column 1: syntax error while parsing value "
         "- invalid literal; last read: 'V'"},
        {"syntax on line 4", replaced(ok, "\"1000\",", "\"1000\""),
         "The study file s.json is not JSON: line 5, column 13: syntax error while parsing object "
         "- unexpected string literal; expected '}'"},
        {"truncated", ok.substr(0, 40),
         "The study file s.json is not JSON: line 3, column 17: syntax error while parsing value "
         "- unexpected end of input; expected '[', '{', or a literal"},
        {"a list", "[1]", notStudy + "the study: must be a JSON object, not a list"},
        {"version 4", replaced(ok, "\"schemaVersion\": 3", "\"schemaVersion\": 4"),
         notStudy + "schemaVersion: is 4; this program reads versions 1 to 3"},
        {"version 0", replaced(ok, "\"schemaVersion\": 3", "\"schemaVersion\": 0"),
         notStudy + "schemaVersion: is 0; this program reads versions 1 to 3"},
        {"version as text", replaced(ok, "\"schemaVersion\": 3", "\"schemaVersion\": \"3\""),
         notStudy + "schemaVersion: must be a whole number from 1 to 3, not the text \"3\""},
        {"no version", replaced(ok, "\"schemaVersion\": 3,", ""),
         notStudy + "the study: \"schemaVersion\" is missing"},
        {"no samples", replaced(ok, "\"samples\": \"1000\",", ""),
         notStudy + "the study: \"samples\" is missing"},
        {"no variables", "{\"schemaVersion\": 1, \"repetitions\": \"1\", \"samples\": \"1\"}",
         notStudy + "the study: \"variables\" is missing"},
        {"no parameters", replaced(ok, "\"parameters\": \"20,3\",", ""),
         notStudy + "variables[3]: \"parameters\" is missing"},
        {"no distribution", replaced(ok, "\"20,3\",\n      \"distribution\": \"\"", "\"20,3\""),
         notStudy + "variables[3]: \"distribution\" is missing"},
        {"unknown field", replaced(ok, "\"samples\"", "\"sample\": \"1\", \"samples\""),
         notStudy + "sample: is not a field of a study; its fields are \"schemaVersion\", "
                    "\"repetitions\", \"samples\", \"variables\", \"target\", \"loadRoles\", "
                    "\"fractiles\", \"project\", \"engineer\", \"checker\", \"seed\""},
        {"target index in version 1",
         replaced(version2Text("3.8"), "\"schemaVersion\": 2", "\"schemaVersion\": 1"),
         notStudy + "targetIndex: is not a field of a study; its fields are \"schemaVersion\", "
                    "\"repetitions\", \"samples\", \"variables\", \"seed\""},
        {"target in version 2", replaced(ok, "\"schemaVersion\": 3", "\"schemaVersion\": 2"),
         notStudy + "target: is not a field of a study; its fields are \"schemaVersion\", "
                    "\"repetitions\", \"samples\", \"variables\", \"targetIndex\", \"seed\""},
        {"no target index in version 2",
         replaced(version2Text("3.8"), ",\n  \"targetIndex\": 3.8", ""),
         notStudy + "the study: \"targetIndex\" is missing"},
        {"target index as text", version2Text("\"3.8\""),
         notStudy + "targetIndex: must be a number from 0 to 8, not the text \"3.8\""},
        {"target index past 8", version2Text("8.01"),
         notStudy + "targetIndex: must be a number from 0 to 8, not the number 8.01"},
        {"negative target index", version2Text("-1"),
         notStudy + "targetIndex: must be a number from 0 to 8, not the number -1"},
        {"no target in version 3", replaced(ok, "\"target\"", "\"targets\""),
         notStudy + "targets: is not a field of a study; its fields are \"schemaVersion\", "
                    "\"repetitions\", \"samples\", \"variables\", \"target\", \"loadRoles\", "
                    "\"fractiles\", \"project\", \"engineer\", \"checker\", \"seed\""},
        {"engineer on two lines",
         replaced(ok, "\"variables\"", "\"engineer\": \"A. Engineer\\nB. Other\", \"variables\""),
         notStudy + "engineer: holds a line break; it must be one line"},
        {"project too long",
         replaced(ok, "\"variables\"",
                  "\"project\": \"" + std::string(101, 'x') + "\", \"variables\""),
         notStudy + "project: is 101 characters long; it may be at most 100"},
        {"checker as a number", replaced(ok, "\"variables\"", "\"checker\": 7, \"variables\""),
         notStudy + "checker: must be a text (one line, such as \"Bridge 4\"), not the number 7"},
        {"engineer in version 2",
         replaced(version2Text("3.8"), "\"variables\"", "\"engineer\": \"A\", \"variables\""),
         notStudy + "engineer: is not a field of a study; its fields are \"schemaVersion\", "
                    "\"repetitions\", \"samples\", \"variables\", \"targetIndex\", \"seed\""},
        {"class RC4", replaced(ok, "\"RC2\"", "\"RC4\""),
         notStudy + "target.reliabilityClass: \"RC4\" is not one of \"RC1\", \"RC2\", \"RC3\""},
        {"period of 10 years",
         replaced(ok, "\"referencePeriodYears\": 50", "\"referencePeriodYears\": 10"),
         notStudy + "target.referencePeriodYears: must be 1 or 50, not the number 10"},
        {"period as text",
         replaced(ok, "\"referencePeriodYears\": 50", "\"referencePeriodYears\": \"50\""),
         notStudy + "target.referencePeriodYears: must be 1 or 50, not the text \"50\""},
        {"typed target past 8",
         replaced(ok, "\"typed\": null", "\"typed\": {\"index\": 9, \"source\": \"x\"}"),
         notStudy + "target.typed.index: must be a number from 0 to 8, not the number 9"},
        {"typed target without a source",
         replaced(ok, "\"typed\": null", "\"typed\": {\"index\": 4}"),
         notStudy + "target.typed: \"source\" is missing"},
        {"typed target as a number", replaced(ok, "\"typed\": null", "\"typed\": 4"),
         notStudy + "target.typed: must be null or an object, not the number 4"},
        {"unknown role", replaced(ok, "\"UdlValue\": \"variable\"", "\"UdlValue\": \"live\""),
         notStudy + "loadRoles.UdlValue: \"live\" is not one of \"variable\", \"permanent\""},
        {"role of the span",
         replaced(ok, "\"UdlValue\": \"variable\"",
                  "\"UdlValue\": \"variable\", \"BeamLength\": \"permanent\""),
         notStudy + "loadRoles.BeamLength: is not a field of the load roles; its fields are "
                    "\"PointLoadValue\", \"UdlValue\""},
        {"fractile of 1", replaced(ok, "\"allowableStress\": 0.05", "\"allowableStress\": 1"),
         notStudy + "fractiles.allowableStress: must be a number between 0 and 1 (not either), "
                    "not the number 1"},
        {"no load fractile", replaced(ok, ",\n    \"variableLoadAnnualMaximum\": 0.98", ""),
         notStudy + "fractiles: \"variableLoadAnnualMaximum\" is missing"},
        {"unknown variable", replaced(ok, "\"BeamDepth\"", "\"BeamHeight\""),
         notStudy + "variables[2].name: \"BeamHeight\" is not a variable; the variables are, in "
                    "this order, BeamLength, BeamWidth, BeamDepth, AllowableStress, "
                    "PointLoadLocation, PointLoadValue, UdlValue"},
        {"variable out of place", replaced(ok, "\"BeamDepth\"", "\"BeamWidth\""),
         notStudy + "variables[2].name: \"BeamWidth\" is out of place; the variables are, in "
                    "this order, BeamLength, BeamWidth, BeamDepth, AllowableStress, "
                    "PointLoadLocation, PointLoadValue, UdlValue"},
        {"unknown distribution",
         replaced(ok, "\"225,10\",\n      \"distribution\": \"\"",
                  "\"225,10\",\n      \"distribution\": \"normal\""),
         notStudy + "variables[2].distribution: \"normal\" is not a distribution; it is one of "
                    "\"Normal\", \"Log-Normal\", \"Gamma\", \"Gumbel\", \"Poisson\", \"Others to "
                    "follow\", or \"\" for none chosen"},
        {"six variables",
         replaced(ok, "{\n      \"name\": \"UdlValue\"", "{\"name\": \"UdlValue\""), "accepted"},
        {"number for a text", replaced(ok, "\"repetitions\": \"25\"", "\"repetitions\": 25"),
         notStudy + "repetitions: must be a text (the count as typed, such as \"25\"), not the "
                    "number 25"},
        {"number for parameters", replaced(ok, "\"4,0.05\"", "4.05"),
         notStudy + "variables[0].parameters: must be a text (\"4,0.05\"), not the number 4.05"},
        {"text for the seed", replaced(ok, "\"variables\"", "\"seed\": \"12\", \"variables\""),
         notStudy + "seed: must be a whole number from 0 to 18446744073709551615, not the text "
                    "\"12\""},
        {"negative seed", replaced(ok, "\"variables\"", "\"seed\": -1, \"variables\""),
         notStudy + "seed: must be a whole number from 0 to 18446744073709551615, not the number "
                    "-1"},
        {"fractional seed", replaced(ok, "\"variables\"", "\"seed\": 1.5, \"variables\""),
         notStudy + "seed: must be a whole number from 0 to 18446744073709551615, not the number "
                    "1.5"},
        {"seed past 64 bits",
         replaced(ok, "\"variables\"", "\"seed\": 18446744073709551616, \"variables\""),
         notStudy + "seed: must be a whole number from 0 to 18446744073709551615, not the number "
                    "1.8446744073709552e+19"},
        {"null seed", replaced(ok, "\"variables\"", "\"seed\": null, \"variables\""),
         notStudy + "seed: must be a whole number from 0 to 18446744073709551615, not null"},
        {"variable not an object", replaced(ok, "\"variables\": [", "\"variables\": [\"x\","),
         notStudy + "variables: must be a list of 7 objects, one a variable, not a list of 8"},
        {"not UTF-8", replaced(ok, "4,0.05", "4,0\xFF"),
         "The study file s.json is not JSON: line 8, column 25: syntax error while parsing value "
         "- invalid string: ill-formed UTF-8 byte; last read: '\"4,0\\xff'"},
    };
    for (const BadCase& c : cases) EXPECT_EQ(refusal(c.text), c.message) << c.what;
}

TEST(StudyFile, RefusesNumbersPastADoubleByLineAndColumn) {
    const std::string ones(400, '1');
    const std::string tooLarge = " is too large (the largest is about 1.8e308)";
    const BadCase cases[] = {
        {"the whole file", "1e400",
         "The study file s.json is not a study: line 1, column 1: the number 1e400" + tooLarge},
        {"400 digits for the version",
         studyTextWith("\"schemaVersion\": 3", "\"schemaVersion\": " + ones),
         "The study file s.json is not a study: line 2, column 20: the number " +
             std::string(60, '1') + "\u2026" + tooLarge},
        {"negative seed", studyTextWith("\"variables\"", "\"seed\": -1e400, \"variables\""),
         "The study file s.json is not a study: line 5, column 11: the number -1e400" + tooLarge},
        {"inside an unknown field",
         studyTextWith("\"samples\": \"1000\"", "\"samples\": \"1000\", \"x\": [1e309]"),
         "The study file s.json is not a study: line 4, column 28: the number 1e309" + tooLarge},
    };
    for (const BadCase& c : cases) EXPECT_EQ(refusal(c.text), c.message) << c.what;
}

// Lists or objects n deep, with value at the bottom.
std::string nested(std::size_t n, const std::string& value, bool objects = false) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += objects ? "{\"a\": " : "[";
    text += value;
    for (std::size_t i = 0; i < n; ++i) text += objects ? "}" : "]";
    return text;
}

TEST(StudyFile, RefusesNestingDeeperThan64BeforeBuildingIt) {
    const std::string notStudy = "The study file s.json is not a study: ";
    const std::string tooDeep = ": lists or objects are nested more than 64 deep";
    const BadCase cases[] = {
        {"a list 64 deep", nested(64, "0"),
         notStudy + "the study: must be a JSON object, not a list"},
        {"a list 65 deep", nested(65, "0"), notStudy + "the study" + tooDeep},
        {"objects 65 deep", nested(65, "1", true), notStudy + "a" + tooDeep},
        {"64 deep in a variable", studyTextWith("\"4,0.05\"", nested(61, "")),
         notStudy + "variables[0].parameters: must be a text (\"4,0.05\"), not a list"},
        {"65 deep in a variable", studyTextWith("\"4,0.05\"", nested(62, "")),
         notStudy + "variables" + tooDeep},
        {"100,000 deep and a key after it (200 KB)",
         studyTextWith("\"samples\": \"1000\"",
                       "\"samples\": " + nested(100'000, "") + ", \"x\": 1"),
         notStudy + "samples" + tooDeep},
    };
    for (const BadCase& c : cases) EXPECT_EQ(refusal(c.text), c.message) << c.what;
}

TEST(StudyFile, RefusesAKeyGivenTwiceNamingIt) {
    const std::string notStudy = "The study file s.json is not a study: ";
    const BadCase cases[] = {
        {"seed", studyTextWith("\"variables\"", "\"seed\": 1, \"seed\": 2, \"variables\""),
         notStudy + "seed: appears twice"},
        {"the version, the wrong one first",
         studyTextWith("\"schemaVersion\": 3", "\"schemaVersion\": 4, \"schemaVersion\": 3"),
         notStudy + "schemaVersion: appears twice"},
        {"written with an escape",
         studyTextWith("\"variables\"", "\"seed\": 1, \"se\\u0065d\": 1, \"variables\""),
         notStudy + "seed: appears twice"},
        {"in a variable",
         studyTextWith("\"name\": \"BeamWidth\"",
                       "\"name\": \"BeamWidth\", \"name\": \"BeamWidth\""),
         notStudy + "variables[1].name: appears twice"},
        {"deep in an unknown field",
         studyTextWith(
             "\"samples\": \"1000\"",
             "\"samples\": \"1000\", \"x\": [{}, {\"a\": 1, \"b\": {\"a\": 1}, \"a\": 2}]"),
         notStudy + "x[1].a: appears twice"},
    };
    for (const BadCase& c : cases) EXPECT_EQ(refusal(c.text), c.message) << c.what;
}

TEST(StudyFile, RefusalsShowAtMost60CharactersOfATextEscaped) {
    const std::string x100(100, 'x'), x60(60, 'x'), ellipsis = "\u2026";
    const std::string notStudy = "The study file s.json is not a study: ";
    const BadCase cases[] = {
        {"distribution",
         studyTextWith("\"225,10\",\n      \"distribution\": \"\"",
                       "\"225,10\",\n      \"distribution\": \"" + x100 + "\""),
         notStudy + "variables[2].distribution: \"" + x60 + ellipsis +
             "\" is not a distribution; it is one of \"Normal\", \"Log-Normal\", \"Gamma\", "
             "\"Gumbel\", \"Poisson\", \"Others to follow\", or \"\" for none chosen"},
        {"variable name", studyTextWith("\"BeamDepth\"", "\"" + x100 + "\""),
         notStudy + "variables[2].name: \"" + x60 + ellipsis +
             "\" is not a variable; the variables are, in this order, BeamLength, BeamWidth, "
             "BeamDepth, AllowableStress, PointLoadLocation, PointLoadValue, UdlValue"},
        {"text for the seed",
         studyTextWith("\"variables\"", "\"seed\": \"a\\n" + x100 + "\", \"variables\""),
         notStudy +
             "seed: must be a whole number from 0 to 18446744073709551615, not the text \"a\\n" +
             std::string(58, 'x') + ellipsis + "\""},
        {"unknown field", studyTextWith("\"samples\"", "\"\\t" + x100 + "\": 1, \"samples\""),
         notStudy + "\\t" + std::string(59, 'x') + ellipsis +
             ": is not a field of a study; its fields are \"schemaVersion\", \"repetitions\", "
             "\"samples\", \"variables\", \"target\", \"loadRoles\", \"fractiles\", \"project\", "
             "\"engineer\", \"checker\", \"seed\""},
        {"key twice",
         studyTextWith("\"samples\"", "\"" + x100 + "\": 1, \"" + x100 + "\": 1, \"samples\""),
         notStudy + ellipsis + x60 + ": appears twice"},
        {"key twice 31 deep", nested(30, "{\"b\": 1, \"b\": 2}", true),
         notStudy + ellipsis + repeated(".a", 29) + ".b: appears twice"},
        {"not UTF-8 at the end of a long text", studyTextWith("4,0.05", "4,0" + x100 + "\xFF"),
         "The study file s.json is not JSON: line 8, column 125: syntax error while parsing value "
         "- invalid string: ill-formed UTF-8 byte; last read: '" +
             ellipsis + std::string(59, 'x') + "\\xff'"},
        {"not UTF-8 at the end of a long key", studyTextWith("\"samples\"", "\"" + x100 + "\xFF\""),
         "The study file s.json is not JSON: line 4, column 104: syntax error while parsing object "
         "key - invalid string: ill-formed UTF-8 byte; last read: '" +
             ellipsis + std::string(59, 'x') + "\\xff'; expected string literal"},
        {"the parser's words in the text", studyTextWith("4,0.05", "4,0'; expected \xFF"),
         "The study file s.json is not JSON: line 8, column 37: syntax error while parsing value "
         "- invalid string: ill-formed UTF-8 byte; last read: '\"4,0'; expected \\xff'"},
    };
    for (const BadCase& c : cases) EXPECT_EQ(refusal(c.text), c.message) << c.what;
}

TEST(StudyFile, TheFileNameStaysWholeWithItsControlCharactersAndOtherBytesEscaped) {
    const std::string name = "folder/" + std::string(100, 'n') + "\r\n\xFF.json";
    try {
        parseStudyText("[]", name);
        FAIL();
    } catch (const StudyFileError& e) {
        EXPECT_EQ(std::string(e.what()), "The study file folder/" + std::string(100, 'n') +
                                             "\\r\\n\\xff.json is not a study: the study: must "
                                             "be a JSON object, not a list");
    }
}

// A file in a fresh folder, removed with it.
struct TempFile {
    fs::path folder = fs::temp_directory_path() /
                      ("ferrolith-study-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::path path = folder / "s.json";
    TempFile() {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~TempFile() { fs::remove_all(folder); }
};

std::string fileRefusal(const fs::path& path) {
    try {
        readStudyFile(path.string());
    } catch (const StudyFileError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(StudyFile, RefusesAHugeFileWithoutReadingItWhole) {
    TempFile file;
    { std::ofstream(file.path) << defaultText(); }
    fs::resize_file(file.path, 100'000'000);  // sparse: 100 MB that cost no disk
    EXPECT_EQ(fileRefusal(file.path), "The study file " + file.path.string() +
                                          " is larger than 1 MiB; a study is a few hundred bytes.");
    fs::resize_file(file.path, largestStudyFile);  // the largest allowed size is read
    EXPECT_EQ(fileRefusal(file.path), "The study file " + file.path.string() +
                                          " is not JSON: line 56, column 1: a NUL byte");
}

TEST(StudyFile, RefusesMissingFilesAndFolders) {
    TempFile file;
    EXPECT_EQ(fileRefusal(file.path), "The study file " + file.path.string() +
                                          " cannot be opened: No such file or directory");
    EXPECT_EQ(fileRefusal(file.folder), "The study file " + file.folder.string() + " is a folder.");
}

TEST(StudyFile, WritesThroughTheSafeSaveAndReadsBack) {
    TempFile file;
    Study study;
    study.seed = 5;
    EXPECT_EQ(writeStudyFile(file.path.string(), study), std::nullopt);
    EXPECT_EQ(readStudyFile(file.path.string()), study);
    EXPECT_EQ(writeStudyFile((file.folder / "missing" / "s.json").string(), study),
              "No such file or directory");
    EXPECT_EQ(readStudyFile(file.path.string()), study);
}

}  // namespace
}  // namespace ferrolith
