#pragma once

#include <gtest/gtest.h>

// A fixture whose tests run once for every case of a table: using Name = CasesOf<Fixture, Case>.
template <typename Fixture, typename Case>
class CasesOf : public Fixture, public testing::WithParamInterface<Case>
{
};
