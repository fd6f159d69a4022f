#include "files/study_text_check.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "report/message_text.hpp"

namespace ferrolith {

namespace {

using Json = nlohmann::ordered_json;

// nlohmann's exception number for a number beyond a double's range.
constexpr int numberOverflow = 406;

// nlohmann names the place of a syntax error by its byte offset; people read lines and columns.
std::string lineAndColumn(const std::string& text, std::size_t byte) {
    const std::size_t at = std::min(byte > 0 ? byte - 1 : 0, text.size());
    const std::string_view before(text.data(), at);
    const std::size_t line = 1 + std::count(before.begin(), before.end(), '\n');
    const std::size_t lastBreak = before.rfind('\n');
    const std::size_t column = lastBreak == std::string_view::npos ? at + 1 : at - lastBreak;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser's own words, without its exception number and position prefix, and with only the
// end of the token it last read: that is where the fault is, and the rest may be a whole long text.
std::string syntaxProblem(const std::string& what, const std::string& token) {
    const std::size_t column = what.find("column ");
    const std::size_t colon = column == std::string::npos ? column : what.find(": ", column);
    std::string problem = colon == std::string::npos ? what : what.substr(colon + 2);
    // The words before the token are the parser's own, so the first match is the token.
    const std::string lastRead = "; last read: '";
    if (const std::size_t at = problem.find(lastRead + token + "'"); at != std::string::npos)
        problem.replace(at + lastRead.size(), token.size(), shortenedTail(token));
    return problem;
}

// Walks the text as the parser reads it, keeping the open lists and objects, and stops at the
// first fault.
class FaultFinder final : public nlohmann::json_sax<Json> {
  public:
    explicit FaultFinder(const std::string& text) : text_(text) {}

    const std::optional<std::string>& fault() const { return fault_; }

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool string(string_t&) override { return value(); }
    bool binary(binary_t&) override { return value(); }
    bool start_object(std::size_t) override { return open(false); }
    bool start_array(std::size_t) override { return open(true); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& name) override {
        Level& object = levels_.back();
        object.key = name;
        if (object.keys.insert(name).second) return true;
        // The end of the field's path: the key and the levels nearest it.
        fault_ = "is not a study: " + shortenedTail(field()) + ": appears twice";
        return false;
    }

    bool parse_error(std::size_t byte, const std::string& token,
                     const Json::exception& e) override {
        if (e.id == numberOverflow)
            fault_ = "is not a study: " + lineAndColumn(text_, byte - token.size() + 1) +
                     ": the number " + shortenedText(token) +
                     " is too large (the largest is about 1.8e308)";
        else
            fault_ = "is not JSON: " + lineAndColumn(text_, byte) + ": " +
                     syntaxProblem(e.what(), token);
        return false;
    }

  private:
    struct Level {
        bool list = false;
        std::size_t items = 0;  // of a list: the values begun in it
        std::string key;        // of an object: the latest key
        std::unordered_set<std::string> keys;
    };

    bool value() {
        if (!levels_.empty() && levels_.back().list) ++levels_.back().items;
        return true;
    }

    bool open(bool list) {
        value();
        if (levels_.size() == deepestStudyNesting) {
            const Level& outermost = levels_.front();
            fault_ = "is not a study: " +
                     (outermost.list ? std::string("the study") : shortenedText(outermost.key)) +
                     ": lists or objects are nested more than " +
                     std::to_string(deepestStudyNesting) + " deep";
            return false;
        }
        levels_.push_back({list, 0, {}, {}});
        return true;
    }

    bool close() {
        levels_.pop_back();
        return true;
    }

    // The field being read, as the study's messages name fields: "variables[2].name".
    std::string field() const {
        std::string path;
        for (const Level& level : levels_) {
            if (level.list)
                path += "[" + std::to_string(level.items - 1) + "]";
            else
                path += (path.empty() ? "" : ".") + level.key;
        }
        return path;
    }

    const std::string& text_;
    std::vector<Level> levels_;
    std::optional<std::string> fault_;
};

}  // namespace

std::optional<std::string> studyTextFault(const std::string& text) {
    // The parser takes a NUL byte for the end of its input; JSON has no place for one.
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos)
        return "is not JSON: " + lineAndColumn(text, nul + 1) + ": a NUL byte";
    FaultFinder finder(text);
    Json::sax_parse(text, &finder);
    return finder.fault();
}

}  // namespace ferrolith
