#include "setup/CaseFold.h"

#include "support/CasesOf.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

struct SpellingCase : test::Labelled
{
    QStringList onDisk; // files below the folder
    const char* asked;
    const char* existing; // what existingSpelling gives
    const char* toWrite; // what spellingToWrite gives
};

using Spellings = testing::TestWithParam<SpellingCase>;

// Each part of a path is found whatever its case: the exact name first, else the first in byte
// order. A missing name comes back as it was asked for; a file to write goes into the folder
// that is there.
TEST_P(Spellings, FindEveryPartWhateverItsCase)
{
    TempFolder folder;
    for (const QString& file : GetParam().onDisk)
        folder.write(file, "x");
    const QString root = folder.path() + "/";
    EXPECT_EQ(existingSpelling(root + QString::fromUtf8(GetParam().asked)),
        root + QString::fromUtf8(GetParam().existing));
    EXPECT_EQ(spellingToWrite(root + QString::fromUtf8(GetParam().asked)),
        root + QString::fromUtf8(GetParam().toWrite));
}

INSTANTIATE_TEST_SUITE_P(CaseFold, Spellings,
    testing::Values(SpellingCase { "every_part_in_other_capitals", { "DATA/Cmn/be/Dress0.BIG" },
                        "data/cmn/be/dress0.big", "DATA/Cmn/be/Dress0.BIG", "DATA/Cmn/be/Dress0.BIG" },
        SpellingCase { "new_file_in_a_folder_in_capitals", { "DATA/CMN/BE/dress0.big" },
            "data/cmn/be/fifa00.bin", "data/cmn/be/fifa00.bin", "DATA/CMN/BE/fifa00.bin" },
        SpellingCase { "missing_folder", { "DATA/CMN/other.bin" }, "data/cmn/be/fifa00.bin",
            "data/cmn/be/fifa00.bin", "data/cmn/be/fifa00.bin" },
        SpellingCase { "two_spellings_of_a_file", { "data/Dress0.big", "data/DRESS0.big", "data/dress0.BIG" },
            "DATA/dress0.big", "data/DRESS0.big", "data/DRESS0.big" },
        SpellingCase { "two_spellings_of_a_folder", { "Data/EASO/a.jpg", "DATA/EASO/b.jpg" },
            "data/easo/b.jpg", "DATA/EASO/b.jpg", "DATA/EASO/b.jpg" },
        SpellingCase { "exact_folder_first_at_every_level", { "data/other", "DATA/EASO/b.jpg" },
            "data/easo/b.jpg", "data/easo/b.jpg", "data/easo/b.jpg" },
        SpellingCase { "letters_beyond_ascii", { "Logos/MÜNCHEN.JPG" }, "logos/münchen.jpg",
            "Logos/MÜNCHEN.JPG", "Logos/MÜNCHEN.JPG" },
        SpellingCase {
            "sharp_s_is_not_double_s", { "STRASSE.INI" }, "straße.ini", "straße.ini", "straße.ini" },
        SpellingCase { "same_start_is_not_the_name", { "CAMERA.EFX.BAK", "camera10.efx" }, "camera.efx",
            "camera.efx", "camera.efx" }),
    test::byLabel);

}
