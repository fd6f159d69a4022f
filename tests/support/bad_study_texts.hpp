#pragma once

// Study texts that the reader must refuse with a message rather than crash on or accept, for the
// reader's, the driver's and the window's tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/study_file.hpp"
#include "model/study.hpp"

namespace ferrolith::testing {

// text with its first from replaced by to.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

// The default study's file text with one part replaced, so each bad case shows what it breaks.
inline std::string studyTextWith(const std::string& from, const std::string& to) {
    return replaced(studyFileText(Study()), from, to);
}

// The default study's file text as version 2 wrote it, with its target index.
inline std::string version2Text(const std::string& index) {
    std::string text = studyTextWith("\"schemaVersion\": 3", "\"schemaVersion\": 2");
    const std::size_t from = text.find(",\n  \"target\"");
    const std::size_t to = text.find("\n}", from);
    EXPECT_NE(from, std::string::npos);
    return text.replace(from, to - from, ",\n  \"targetIndex\": " + index);
}

struct BadStudy {
    const char* what;
    std::string text;
    std::string fault;  // the refusal's words after "The study file NAME "
};

// A number past a double's range (once an uncaught exception), 100,000 nested lists in a
// 200 KB file (once a stack overflow), and a key given twice (once the last one won).
inline std::vector<BadStudy> onceCrashingStudies() {
    const std::string deep = std::string(100'000, '[') + std::string(100'000, ']');
    return {
        {"number past a double", "1e400",
         "is not a study: line 1, column 1: the number 1e400 is too large (the largest is about "
         "1.8e308)"},
        {"deep nesting",
         studyTextWith("\"samples\": \"1000\"", "\"samples\": " + deep + ", \"x\": 1"),
         "is not a study: samples: lists or objects are nested more than 64 deep"},
        {"key twice",
         studyTextWith("\"schemaVersion\": 3", "\"schemaVersion\": 2, \"schemaVersion\": 3"),
         "is not a study: schemaVersion: appears twice"},
    };
}

}  // namespace ferrolith::testing
