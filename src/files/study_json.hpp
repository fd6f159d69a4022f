#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "model/study.hpp"

namespace ferrolith {

// What makes a JSON value not a study: the field and what is wrong with it.
class StudyFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The version of the study layout this program writes; it reads every version from 1. Version 2
// adds "targetIndex"; version 3 holds the target with its basis instead ("target": reliability
// class, reference period, a typed target), "loadRoles" and "fractiles", and may hold "project",
// "engineer" and "checker" (one line each, written when not empty; absent, empty). A study of
// version 1, or of version 2 at defaultTargetIndex, reads as RC2 over 50 years; one of version 2 at
// another index as that index typed, from the source "study file".
inline constexpr int studySchemaVersion = 3;

// The source a version 2 study's own target index reads with.
inline constexpr const char* studyFileSource = "study file";

// The study as JSON, its fields in a fixed order; without a seed there is no "seed" field, and
// no project field that is empty.
nlohmann::ordered_json studyToJson(const Study& study);

// Reads a study strictly: every field present with its type, nothing unknown, the variables in
// their fixed order, each distribution an item of the list or "". Throws StudyFormatError.
Study studyFromJson(const nlohmann::ordered_json& json);

}  // namespace ferrolith
