#pragma once

// What poppler-utils read from a PDF the program wrote: its text, its pages, its images.
#include <cstdio>
#include <sstream>
#include <string>

namespace ferrolith::testing {

inline std::string commandOutput(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

// The text of every page in reading order, pages ended by a form feed; with layout, lines as
// laid out on the page (pdftotext -layout), otherwise in reading order. The fonts' ligatures
// ("fi", "ffi") are read as their letters.
inline std::string pdfText(const std::string& path, bool layout = true) {
    std::string text = commandOutput(std::string("pdftotext ") + (layout ? "-layout '" : "'") +
                                     path + "' - 2>/dev/null");
    const std::pair<std::string, std::string> ligatures[] = {{"\xEF\xAC\x80", "ff"},
                                                             {"\xEF\xAC\x81", "fi"},
                                                             {"\xEF\xAC\x82", "fl"},
                                                             {"\xEF\xAC\x83", "ffi"},
                                                             {"\xEF\xAC\x84", "ffl"}};
    for (const auto& [ligature, letters] : ligatures)
        for (auto at = text.find(ligature); at != std::string::npos; at = text.find(ligature, at))
            text.replace(at, ligature.size(), letters);
    return text;
}

// The page count pdfinfo reads; 0 for a file it cannot read.
inline int pdfPages(const std::string& path) {
    std::istringstream info(commandOutput("pdfinfo '" + path + "' 2>/dev/null"));
    for (std::string line; std::getline(info, line);)
        if (line.rfind("Pages:", 0) == 0) return std::stoi(line.substr(6));
    return 0;
}

// The images pdfimages -list finds: its lines after the two of its heading.
inline int pdfImageCount(const std::string& path) {
    std::istringstream list(commandOutput("pdfimages -list '" + path + "' 2>/dev/null"));
    int lines = 0;
    for (std::string line; std::getline(list, line);) ++lines;
    return lines - 2;
}

}  // namespace ferrolith::testing
