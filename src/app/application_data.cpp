// The application's side of the data file: gathering what it keeps from the engines and giving
// it back to them.
#include "app/application.h"

namespace nelvix {

DataFileContents Application::GatherDataFile() {
    DataFileContents contents;
    GlobalFindEngine& engine = m_findEngine;
    contents.searchStrings = m_histories.patterns;
    contents.replacementStrings = m_histories.replacements;
    contents.filePatterns = m_histories.specifications;
    contents.caseSensitive = engine.Options().caseSensitive;
    contents.widthSensitive = engine.Options().widthSensitive;
    contents.regularExpression = engine.Options().regularExpression;
    contents.subdirectories = engine.SearchSubdirectories();
    contents.findDirection = engine.FindForward() ? 1 : 0;
    contents.editors = m_editors;
    contents.rules = m_extraction.Rules();
    contents.extractionFiles = m_extractionFiles;
    contents.browsers = m_browsers;
    return contents;
}

void Application::TakeDataFile(const DataFileContents& contents) {
    GlobalFindEngine& engine = m_findEngine;
    m_histories.patterns = contents.searchStrings;
    m_histories.replacements = contents.replacementStrings;
    m_histories.specifications = contents.filePatterns;
    engine.Options().caseSensitive = contents.caseSensitive;
    engine.Options().widthSensitive = contents.widthSensitive;
    engine.Options().regularExpression = contents.regularExpression;
    engine.SearchSubdirectories() = contents.subdirectories;
    engine.FindForward() = contents.findDirection == 1;
    m_editors = contents.editors;
    m_extraction.Rules() = contents.rules;
    m_extractionFiles = contents.extractionFiles;
    m_browsers = contents.browsers;
}

bool Application::SaveDataFile() {
    if (m_dataFilePath.empty())
        return false;
    return WriteDataFile(m_platform, m_dataFilePath, GatherDataFile());
}

} // namespace nelvix
