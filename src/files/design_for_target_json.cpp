#include "files/design_for_target_json.hpp"

#include <cmath>

#include "files/method_json.hpp"
#include "files/number_text.hpp"

namespace ferrolith {

namespace {

using Json = nlohmann::ordered_json;

Json number(double x) { return std::isfinite(x) ? Json(x) : Json(nullptr); }

Json checkJson(const DesignCheck& check) {
    return {{"formBeta", number(check.formBeta)},
            {"formPf", number(check.formPf)},
            {"sorm", sormJson(check.sorm)},
            {"importanceSampling", samplingJson(check.sampling)}};
}

Json curveJson(const std::vector<CurvePoint>& curve) {
    Json list = Json::array();
    for (const CurvePoint& p : curve)
        list.push_back({{"value", number(p.value)}, {"beta", number(p.beta)}});
    return list;
}

}  // namespace

Json designForTargetJson(const DesignForTarget& d) {
    return {{"input", std::string(info(d.request.input).name)},
            {"keep", std::string(keptSpreadName(d.request.keep))},
            {"range", {{"lower", number(d.range.lower)}, {"upper", number(d.range.upper)}}},
            {"targetIndex", number(d.target)},
            {"typed", {{"first", number(d.typedFirst)}, {"second", number(d.typedSecond)}}},
            {"reached", d.reached},
            {"value", number(d.value)},
            {"second", number(d.second)},
            {"mean", number(d.mean)},
            {"formBeta", number(d.beta)},
            {"check", d.check ? checkJson(*d.check) : Json()},
            {"curve", curveJson(d.curve)}};
}

std::string designCurveCsv(const DesignForTarget& design) {
    std::string csv = std::string(designCurveCsvHeader) + "\n";
    for (const CurvePoint& p : design.curve)
        csv += shortestText(p.value) + "," + shortestText(p.beta) + "\n";
    return csv;
}

}  // namespace ferrolith
