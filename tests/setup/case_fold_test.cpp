#include "setup/CaseFold.h"

#include "support/CasesOf.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

struct EntryCase : test::Labelled
{
    const char* name;
    QStringList entries;
    const char* picked; // empty: none stands for the name
};

using PickEntry = testing::TestWithParam<EntryCase>;

TEST_P(PickEntry, ExactNameFirstThenFirstInByteOrder)
{
    EXPECT_EQ(pickEntry(QString::fromUtf8(GetParam().name), GetParam().entries), QString::fromUtf8(GetParam().picked));
}

INSTANTIATE_TEST_SUITE_P(CaseFold, PickEntry,
    testing::Values(EntryCase { "exact_name_first", "dress0.big", { "DRESS0.BIG", "dress0.big" }, "dress0.big" },
        EntryCase { "other_capitals", "camera8.efx", { "front.bin", "Camera8.EFX" }, "Camera8.EFX" },
        EntryCase { "first_in_byte_order", "dress0.big", { "dress0.BIG", "Dress0.big", "DRESS0.BIG" },
            "DRESS0.BIG" },
        EntryCase { "letters_beyond_ascii", "münchen.jpg", { "MÜNCHEN.JPG" }, "MÜNCHEN.JPG" },
        EntryCase { "sharp_s_is_not_double_s", "straße.ini", { "STRASSE.INI" }, "" },
        EntryCase { "same_start_is_not_the_name", "camera.efx", { "CAMERA.EFX.BAK", "camera10.efx" }, "" },
        EntryCase { "empty_folder", "teams.ini", {}, "" }),
    test::byLabel);

struct SpellingCase : test::Labelled
{
    QStringList onDisk; // files below the folder
    const char* asked;
    const char* existing; // what existingSpelling gives
    const char* toWrite; // what spellingToWrite gives
};

using Spellings = testing::TestWithParam<SpellingCase>;

// A missing name comes back as it was asked for; a file to write goes into the folder that is there.
TEST_P(Spellings, FindEveryPartWhateverItsCase)
{
    TempFolder folder;
    for (const QString& file : GetParam().onDisk)
        folder.write(file, "x");
    const QString root = folder.path() + "/";
    EXPECT_EQ(existingSpelling(root + GetParam().asked), root + GetParam().existing);
    EXPECT_EQ(spellingToWrite(root + GetParam().asked), root + GetParam().toWrite);
}

INSTANTIATE_TEST_SUITE_P(CaseFold, Spellings,
    testing::Values(SpellingCase { "as_spelled", { "data/cmn/be/dress0.big" }, "data/cmn/be/dress0.big",
                        "data/cmn/be/dress0.big", "data/cmn/be/dress0.big" },
        SpellingCase { "every_part_in_other_capitals", { "DATA/Cmn/be/Dress0.BIG" }, "data/cmn/be/dress0.big",
            "DATA/Cmn/be/Dress0.BIG", "DATA/Cmn/be/Dress0.BIG" },
        SpellingCase { "new_file_in_a_folder_in_capitals", { "DATA/CMN/BE/dress0.big" },
            "data/cmn/be/fifa00.bin", "data/cmn/be/fifa00.bin", "DATA/CMN/BE/fifa00.bin" },
        SpellingCase { "missing_folder", { "DATA/CMN/other.bin" }, "data/cmn/be/fifa00.bin",
            "data/cmn/be/fifa00.bin", "data/cmn/be/fifa00.bin" },
        SpellingCase { "two_spellings_of_a_folder", { "Data/EASO/a.jpg", "DATA/EASO/b.jpg" }, "data/easo/b.jpg",
            "DATA/EASO/b.jpg", "DATA/EASO/b.jpg" },
        SpellingCase { "exact_folder_first_at_every_level", { "data/other", "DATA/EASO/b.jpg" },
            "data/easo/b.jpg", "data/easo/b.jpg", "data/easo/b.jpg" },
        SpellingCase { "two_spellings_of_a_file", { "data/Dress0.big", "data/DRESS0.big" }, "DATA/dress0.big",
            "data/DRESS0.big", "data/DRESS0.big" }),
    test::byLabel);

}
