#include "App_doubleoptions.h"

#include "Kro_shellfiles.h"

#include <gtest/gtest.h>

TEST(AppDoubleOptions, DefaultsAreThoseOfAFreshInstallation)
{
    const TDoubleOptions options;
    EXPECT_EQ(options.OutputDirectory, odDesktop);
    EXPECT_EQ(options.OtherOutputDirectory, GetPersonalDirectory());
    EXPECT_EQ(options.OriginalNamePrefix, "");
    EXPECT_EQ(options.OriginalNameSuffix, "");
    EXPECT_TRUE(options.RemoveExtension);
    EXPECT_TRUE(options.AvoidNameCollision);
    EXPECT_EQ(options.SerialNumberPrefix, " (");
    EXPECT_EQ(options.SerialNumberSuffix, ")");
    EXPECT_EQ(options.MinSerialNumber, 1);
    EXPECT_EQ(options.MaxSerialNumber, 100);
    EXPECT_EQ(options.SerialNumberPosition, spEnd);
    EXPECT_TRUE(options.SortEntries);
    EXPECT_EQ(sizeof(TOutputDirectory), 1u);
    EXPECT_EQ(sizeof(TSerialNumberPosition), 1u);
}

TEST(AppDoubleOptions, EveryFieldTakesPartInTheComparison)
{
    const TDoubleOptions base;
    const std::function<void(TDoubleOptions&)> changes[] = {
        [](TDoubleOptions& o) { o.OutputDirectory = odOther; },
        [](TDoubleOptions& o) { o.OtherOutputDirectory += "x"; },
        [](TDoubleOptions& o) { o.OriginalNamePrefix = "A"; },
        [](TDoubleOptions& o) { o.OriginalNameSuffix = "a"; },
        [](TDoubleOptions& o) { o.RemoveExtension = false; },
        [](TDoubleOptions& o) { o.AvoidNameCollision = false; },
        [](TDoubleOptions& o) { o.SerialNumberPrefix = " [" ; },
        [](TDoubleOptions& o) { o.SerialNumberSuffix = ")) "; },
        [](TDoubleOptions& o) { o.MinSerialNumber = 0; },
        [](TDoubleOptions& o) { o.MaxSerialNumber = -100; },
        [](TDoubleOptions& o) { o.SerialNumberPosition = static_cast<TSerialNumberPosition>(2); },
        [](TDoubleOptions& o) { o.SortEntries = false; },
        [](TDoubleOptions& o) { o.MoveSources = true; },
        [](TDoubleOptions& o) { o.GroupSources = gsEachName; },
        [](TDoubleOptions& o) { o.ShowPreview = true; },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        TDoubleOptions changed = base;
        EXPECT_TRUE(changed == base);
        changes[i](changed);
        EXPECT_FALSE(changed == base) << "field " << i;
        EXPECT_TRUE(changed != base) << "field " << i;
    }
    TDoubleOptions prefix = base;
    prefix.OriginalNamePrefix = "abc";
    TDoubleOptions upper = base;
    upper.OriginalNamePrefix = "ABC";
    EXPECT_NE(prefix, upper);
}

TEST(AppDoubleOptions, SetOptionsNotifiesOnlyOnChange)
{
    TDoubleOptionsModel model;
    int changes = 0;
    model.OnChange = [&](TModel& sender) {
        EXPECT_EQ(&sender, &model);
        ++changes;
    };
    model.SetOptions(model.Options());
    model.SetOptions(TDoubleOptions());
    EXPECT_EQ(changes, 0);

    // Out-of-range values are stored as they are; their users object.
    TDoubleOptions odd;
    odd.MinSerialNumber = 500;
    odd.SerialNumberPosition = static_cast<TSerialNumberPosition>(2);
    model.SetOptions(odd);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(model.Options().MinSerialNumber, 500);
    EXPECT_EQ(model.Options().SerialNumberPosition, 2);
    model.SetOptions(odd);
    EXPECT_EQ(changes, 1);
}
