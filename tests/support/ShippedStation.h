#pragma once

// The program's station after its start, on the shipped catalogue and angle files: what the
// site's configurations in the fixtures are computed with.

#include "data/StationModel.h"

#include <gtest/gtest.h>

#include <string>

inline const StationModel &ShippedStation()
{
    static const StationModel base = [] {
        const std::string shipped = FELDORA_SHIPPED_DATA "/";
        StationModel m(StationPaths{shipped + "Antennen.txt", shipped + "AntUser.txt", shipped + "ang/"});
        EXPECT_TRUE(m.AfterCreation());
        return m;
    }();
    return base;
}
