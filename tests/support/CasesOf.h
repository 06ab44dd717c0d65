#pragma once

#include <QByteArray>
#include <QString>
#include <concepts>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tavorin::test {

// A case of a table that goes by its label, in the test's name and in failure messages: a case
// type derives from it and gives the label first, as in FieldCase { "crlf_lines", ... }.
struct Labelled
{
    const char* label;
};

template <std::derived_from<Labelled> Case> void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.label;
}

// Names each test of a table of labelled cases after its case.
inline constexpr auto byLabel = [](const auto& info) { return std::string(info.param.label); };

} // namespace tavorin::test

// Readable failure messages for Qt's text types, in tables and elsewhere.
template <typename Text>
requires std::same_as<Text, QString> || std::same_as<Text, QByteArray>
void PrintTo(const Text& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A fixture whose tests run once for every case of a table: using Name = CasesOf<Fixture, Case>.
template <typename Fixture, typename Case>
class CasesOf : public Fixture, public testing::WithParamInterface<Case>
{
};
