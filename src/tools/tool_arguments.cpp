// Splitting a tool's command-line tail into arguments.
#include "tools/tool_arguments.h"

#include "base/sjis.h"

namespace nelvix {
namespace {

bool IsArgumentBlank(char c) {
    return c == ' ' || c == '\t';
}

class ArgumentSplitter {
public:
    explicit ArgumentSplitter(std::string_view text) : m_text(text) {}

    std::vector<std::string> Split() {
        while (m_at < m_text.size()) {
            if (!m_quoted && IsArgumentBlank(m_text[m_at])) {
                EndArgument();
                ++m_at;
            } else if (m_text[m_at] == '\\') {
                Backslashes();
            } else if (m_text[m_at] == '"') {
                Quote();
            } else {
                Character();
            }
        }
        EndArgument();
        return std::move(m_arguments);
    }

private:
    void EndArgument() {
        if (m_started)
            m_arguments.push_back(std::move(m_current));
        m_current.clear();
        m_started = false;
    }
    void Backslashes() {
        std::size_t count = 0;
        while (m_at < m_text.size() && m_text[m_at] == '\\') {
            ++count;
            ++m_at;
        }
        m_started = true;
        if (m_at < m_text.size() && m_text[m_at] == '"') {
            m_current.append(count / 2, '\\');
            if (count % 2 == 1) {
                m_current.push_back('"');
                ++m_at;
            }
            return;
        }
        m_current.append(count, '\\');
    }
    void Quote() {
        m_started = true;
        ++m_at;
        if (m_quoted && m_at < m_text.size() && m_text[m_at] == '"') {
            m_current.push_back('"');
            ++m_at;
            return;
        }
        m_quoted = !m_quoted;
    }
    void Character() {
        m_started = true;
        const std::size_t length =
            IsLeadByte(static_cast<Byte>(m_text[m_at])) && m_at + 1 < m_text.size() ? 2 : 1;
        m_current.append(m_text.substr(m_at, length));
        m_at += length;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    bool m_quoted = false;
    bool m_started = false;
    std::string m_current;
    std::vector<std::string> m_arguments;
};

} // namespace

std::vector<std::string> SplitToolArguments(std::string_view sjisText) {
    return ArgumentSplitter(sjisText).Split();
}

} // namespace nelvix
