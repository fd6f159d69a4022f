#include "files/study_json.hpp"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "files/number_text.hpp"
#include "report/message_text.hpp"

namespace ferrolith {

namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void refuse(const std::string& field, const std::string& problem) {
    throw StudyFormatError(field + ": " + problem);
}

// A value as the user would recognise it in the file, in the message that refuses it.
std::string shown(const Json& value) {
    switch (value.type()) {
        case Json::value_t::string:
            return "the text " + quotedText(value.get<std::string>());
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float:
            return "the number " + value.dump();
        case Json::value_t::object:
            return "an object";
        case Json::value_t::array:
            return "a list";
        default:
            return value.dump();
    }
}

// A field's name in quotes; names are fixed texts, so they show whole.
std::string inQuotes(std::string_view name) { return "\"" + std::string(name) + "\""; }

// The path of a field in messages: "samples", "variables[2].distribution".
std::string path(const std::string& where, std::string_view name) {
    return where.empty() ? std::string(name) : where + "." + std::string(name);
}

// Refuses any field of object not among known; what names the object in the message.
void refuseUnknownFields(const Json& object, const std::string& where, const char* what,
                         std::initializer_list<std::string_view> known) {
    for (const auto& [key, value] : object.items()) {
        if (std::find(known.begin(), known.end(), key) != known.end()) continue;
        std::string list;
        for (std::string_view k : known) list += (list.empty() ? "" : ", ") + inQuotes(k);
        refuse(path(where, shortenedText(key)),
               std::string("is not a field of ") + what + "; its fields are " + list);
    }
}

const Json& field(const Json& object, const std::string& where, const char* name) {
    const auto found = object.find(name);
    if (found == object.end())
        refuse(where.empty() ? "the study" : where, inQuotes(name) + " is missing");
    return *found;
}

std::string text(const Json& object, const std::string& where, const char* name,
                 const char* example) {
    const Json& value = field(object, where, name);
    if (!value.is_string())
        refuse(path(where, name),
               "must be a text (" + std::string(example) + "), not " + shown(value));
    return value.get<std::string>();
}

// The versions this program reads, as messages name them: "1 to 3".
std::string readableVersions() { return "1 to " + std::to_string(studySchemaVersion); }

int schemaVersion(const Json& json) {
    const Json& version = field(json, "", "schemaVersion");
    if (!version.is_number_integer() && !version.is_number_unsigned())
        refuse("schemaVersion",
               "must be a whole number from " + readableVersions() + ", not " + shown(version));
    if (version < 1 || version > studySchemaVersion)
        refuse("schemaVersion",
               "is " + version.dump() + "; this program reads versions " + readableVersions());
    return version.get<int>();
}

bool isDistributionName(const std::string& name) {
    return name.empty() || std::find(distributionNames.begin(), distributionNames.end(), name) !=
                               distributionNames.end();
}

void readVariable(const Json& json, std::size_t i, Study& study) {
    const InputVariableInfo& expected = inputVariables[i];
    const std::string where = "variables[" + std::to_string(i) + "]";
    if (!json.is_object()) refuse(where, "must be an object, not " + shown(json));
    refuseUnknownFields(json, where, "a variable", {"name", "parameters", "distribution"});
    const std::string name = text(json, where, "name", "\"BeamLength\"");
    if (name != expected.name) {
        const bool known = std::any_of(inputVariables.begin(), inputVariables.end(),
                                       [&](const InputVariableInfo& v) { return v.name == name; });
        refuse(where + ".name", quotedText(name) +
                                    (known ? " is out of place" : " is not a variable") +
                                    "; the variables are, in this order, " + variableNameList());
    }
    study.parameters[i] = text(json, where, "parameters", "\"4,0.05\"");
    const std::string distribution = text(json, where, "distribution", "\"Normal\"");
    if (!isDistributionName(distribution))
        refuse(where + ".distribution",
               quotedText(distribution) + " is not a distribution; it is one of " +
                   quotedDistributionNames() + ", or \"\" for none chosen");
    study.distributions[i] = distribution;
}

void readVariables(const Json& json, Study& study) {
    const Json& variables = field(json, "", "variables");
    if (!variables.is_array() || variables.size() != inputVariableCount)
        refuse("variables",
               "must be a list of " + std::to_string(inputVariableCount) +
                   " objects, one a variable, not " +
                   (variables.is_array() ? "a list of " + std::to_string(variables.size())
                                         : shown(variables)));
    for (std::size_t i = 0; i < inputVariableCount; ++i) readVariable(variables[i], i, study);
}

double targetIndex(const Json& object, const std::string& where, const char* name) {
    const Json& value = field(object, where, name);
    const std::string range = "a number from 0 to " + shortestText(largestTargetIndex);
    if (!value.is_number() || !isTargetIndex(value.get<double>()))
        refuse(path(where, name), "must be " + range + ", not " + shown(value));
    return value.get<double>();
}

// Version 2's index: the default reads as the table's RC2 over 50 years, another as typed.
void readTargetIndex(const Json& json, Study& study) {
    const double index = targetIndex(json, "", "targetIndex");
    if (index != defaultTargetIndex) study.target.typed = TypedTarget{index, studyFileSource};
}

const Json& object(const Json& json, const std::string& where, const char* name) {
    const Json& value = field(json, where, name);
    if (!value.is_object()) refuse(path(where, name), "must be an object, not " + shown(value));
    return value;
}

// One of names, as the file writes it; what lists them in the message.
template <std::size_t Count>
std::size_t nameIndex(const Json& object, const std::string& where, const char* name,
                      const std::array<std::string_view, Count>& names) {
    const std::string value =
        text(object, where, name, ("\"" + std::string(names[0]) + "\"").c_str());
    const auto found = std::find(names.begin(), names.end(), value);
    if (found == names.end()) {
        std::string list;
        for (std::string_view n : names) list += (list.empty() ? "" : ", ") + inQuotes(n);
        refuse(path(where, name), quotedText(value) + " is not one of " + list);
    }
    return static_cast<std::size_t>(found - names.begin());
}

void readTarget(const Json& json, Study& study) {
    const Json& target = object(json, "", "target");
    refuseUnknownFields(target, "target", "the target",
                        {"reliabilityClass", "referencePeriodYears", "typed"});
    study.target.reliabilityClass = static_cast<ReliabilityClass>(
        nameIndex(target, "target", "reliabilityClass", reliabilityClassNames));
    const Json& period = field(target, "target", "referencePeriodYears");
    const auto found = std::find(referencePeriodYears.begin(), referencePeriodYears.end(),
                                 period.is_number_integer() ? period.get<int>() : 0);
    if (found == referencePeriodYears.end())
        refuse("target.referencePeriodYears", "must be 1 or 50, not " + shown(period));
    study.target.period = static_cast<ReferencePeriod>(found - referencePeriodYears.begin());
    const Json& typed = field(target, "target", "typed");
    if (typed.is_null()) return;
    if (!typed.is_object())
        refuse("target.typed", "must be null or an object, not " + shown(typed));
    refuseUnknownFields(typed, "target.typed", "a typed target", {"index", "source"});
    study.target.typed = TypedTarget{targetIndex(typed, "target.typed", "index"),
                                     text(typed, "target.typed", "source", "\"client's brief\"")};
}

void readLoadRoles(const Json& json, Study& study) {
    const Json& roles = object(json, "", "loadRoles");
    refuseUnknownFields(roles, "loadRoles", "the load roles", {"PointLoadValue", "UdlValue"});
    for (InputVariable load : loadVariables)
        setRole(study, load,
                static_cast<LoadRole>(nameIndex(
                    roles, "loadRoles", std::string(info(load).name).c_str(), loadRoleNames)));
}

double fractile(const Json& object, const char* name) {
    const Json& value = field(object, "fractiles", name);
    if (!value.is_number() || !isFractile(value.get<double>()))
        refuse(path("fractiles", name),
               "must be a number between 0 and 1 (not either), not " + shown(value));
    return value.get<double>();
}

void readFractiles(const Json& json, Study& study) {
    const Json& fractiles = object(json, "", "fractiles");
    refuseUnknownFields(fractiles, "fractiles", "the fractiles",
                        {"allowableStress", "variableLoadAnnualMaximum"});
    study.fractiles.resistance = fractile(fractiles, "allowableStress");
    study.fractiles.variableLoad = fractile(fractiles, "variableLoadAnnualMaximum");
}

Json targetJson(const TargetBasis& target) {
    return {{"reliabilityClass",
             reliabilityClassNames[static_cast<std::size_t>(target.reliabilityClass)]},
            {"referencePeriodYears", years(target.period)},
            {"typed", target.typed
                          ? Json{{"index", target.typed->index}, {"source", target.typed->source}}
                          : Json()}};
}

Json loadRolesJson(const Study& study) {
    Json roles = Json::object();
    for (InputVariable load : loadVariables)
        roles[std::string(info(load).name)] =
            loadRoleNames[static_cast<std::size_t>(roleOf(study, load))];
    return roles;
}

// Version 3's optional project details: each absent field is empty.
void readProjectDetails(const Json& json, Study& study) {
    for (std::size_t i = 0; i < projectFieldNames.size(); ++i) {
        const std::string name(projectFieldNames[i]);
        if (!json.contains(name)) continue;
        const std::string value = text(json, "", name.c_str(), "one line, such as \"Bridge 4\"");
        if (const auto fault = projectTextFault(value)) refuse(name, *fault);
        fieldOf(study.project, static_cast<ProjectField>(i)) = value;
    }
}

void readSeed(const Json& json, Study& study) {
    const auto found = json.find("seed");
    if (found == json.end()) return;
    if (!found->is_number_unsigned())
        refuse("seed", std::string("must be ") + seedRangeText + ", not " + shown(*found));
    study.seed = found->get<std::uint64_t>();
}

}  // namespace

Json studyToJson(const Study& study) {
    Json variables = Json::array();
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        variables.push_back({{"name", std::string(inputVariables[i].name)},
                             {"parameters", study.parameters[i]},
                             {"distribution", study.distributions[i]}});
    }
    Json json = {{"schemaVersion", studySchemaVersion},
                 {"repetitions", study.repetitions},
                 {"samples", study.samples},
                 {"variables", std::move(variables)},
                 {"target", targetJson(study.target)},
                 {"loadRoles", loadRolesJson(study)},
                 {"fractiles",
                  {{"allowableStress", study.fractiles.resistance},
                   {"variableLoadAnnualMaximum", study.fractiles.variableLoad}}}};
    for (std::size_t i = 0; i < projectFieldNames.size(); ++i)
        if (const std::string& value = fieldOf(study.project, static_cast<ProjectField>(i));
            !value.empty())
            json[std::string(projectFieldNames[i])] = value;
    if (study.seed) json["seed"] = *study.seed;
    return json;
}

Study studyFromJson(const Json& json) {
    if (!json.is_object()) refuse("the study", "must be a JSON object, not " + shown(json));
    const int version = schemaVersion(json);
    if (version == 1)
        refuseUnknownFields(json, "", "a study",
                            {"schemaVersion", "repetitions", "samples", "variables", "seed"});
    else if (version == 2)
        refuseUnknownFields(
            json, "", "a study",
            {"schemaVersion", "repetitions", "samples", "variables", "targetIndex", "seed"});
    else
        refuseUnknownFields(json, "", "a study",
                            {"schemaVersion", "repetitions", "samples", "variables", "target",
                             "loadRoles", "fractiles", "project", "engineer", "checker", "seed"});
    Study study;
    study.repetitions = text(json, "", "repetitions", "the count as typed, such as \"25\"");
    study.samples = text(json, "", "samples", "the count as typed, such as \"1000\"");
    readVariables(json, study);
    if (version == 2) readTargetIndex(json, study);
    if (version >= 3) {
        readTarget(json, study);
        readLoadRoles(json, study);
        readFractiles(json, study);
        readProjectDetails(json, study);
    }
    readSeed(json, study);
    return study;
}

}  // namespace ferrolith
