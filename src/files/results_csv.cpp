#include "files/results_csv.hpp"

#include "files/design_for_target_json.hpp"
#include "files/method_json.hpp"
#include "files/number_text.hpp"

namespace ferrolith {

namespace {

std::string figureList(const std::vector<double>& values) {
    std::string text;
    for (double v : values) text += (text.empty() ? "" : " ") + shortestText(v);
    return text;
}

std::string designPointCsv(const std::optional<reliability::StudyForm>& form) {
    std::string csv = std::string(designPointCsvHeader) + "\n";
    if (!form || !form->designPoint) return csv;
    for (const reliability::InputDesignPoint& input : form->designPoint->inputs)
        csv += std::string(info(input.variable).name) + "," + shortestText(input.value) + "," +
               figureList(input.standard) + "," + figureList(input.alpha) + "," +
               shortestText(input.importance) + "\n";
    return csv;
}

}  // namespace

std::string resultsCsv(const RunResult& run) {
    std::string csv = std::string(resultsCsvHeader) + "\n";
    for (std::size_t i = 0; i < run.repetitions.size(); ++i) {
        const RepetitionFigures& f = run.repetitions[i];
        const RepetitionTally& tally = run.tallies[i];
        csv += std::to_string(i + 1) + "," + std::to_string(tally.seed);
        for (double figure :
             {f.effectMean, f.effectStdDev, f.resistMean, f.resistStdDev, f.safeFraction})
            csv += "," + shortestText(figure);
        csv += "," + std::to_string(tally.failures) + "\n";
    }
    return csv;
}

std::string resultsCsv(const Analysis& analysis) {
    if (const auto& design = analysis.design()) return resultsCsv(design->run);
    if (const auto& target = analysis.designForTarget()) return designCurveCsv(*target);
    const reliability::MethodResult& method = analysis.methods().front();
    if (std::holds_alternative<reliability::StreamsAnswer>(method.answer))
        return resultsCsv(streamsRun(method));
    return designPointCsv(analysis.form());
}

}  // namespace ferrolith
