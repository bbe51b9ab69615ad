// The two ways a host step fails. They are thrown anywhere below the entry
// point and caught only there, which turns them into the host's result code.
#pragma once

#include <cstdint>
#include <string>

// A message for the host to show: reported as errReportString with the text
// in the filter record's errorString.
class CTextFailure {
public:
    explicit CTextFailure(std::string text) : m_strText(std::move(text)) {}
    const std::string& Text() const { return m_strText; }

private:
    std::string m_strText;
};

// A 16-bit host result, e.g. userCanceledErr after the user has already been
// told why the run stops.
class CCodeFailure {
public:
    explicit CCodeFailure(int16_t code) : m_nCode(code) {}
    int16_t Code() const { return m_nCode; }

private:
    int16_t m_nCode;
};
