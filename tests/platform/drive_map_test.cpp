#include "platform/drive_map.h"
#include "platform/environment.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

namespace fs = std::filesystem;

TEST(DriveMapTest, ReadsDrivesAndSharesSkippingBadEntries) {
    auto map = DriveMap::Parse(" C=/srv/erp/c/ ; d:=/data;;bad;1=/x;=/y;E=;Z=/elsewhere;ZZ=/q",
                               "srv/share=/mnt/x;\\\\Host\\Pub=/mnt/pub;noshare=/m;/s=/n");
    EXPECT_EQ(map.DriveFolder('c'), fs::path("/srv/erp/c"));
    EXPECT_EQ(map.DriveFolder('D'), fs::path("/data"));
    EXPECT_EQ(map.DriveFolder('E'), std::nullopt);
    EXPECT_EQ(map.DriveFolder('Z'), fs::path("/")); // cannot be remapped
    EXPECT_EQ(map.ToNativeLexically("\\\\SRV\\Share\\a\\b.txt"), fs::path("/mnt/x/a/b.txt"));
    EXPECT_EQ(map.ToNativeLexically("\\\\host\\pub"), fs::path("/mnt/pub"));
    EXPECT_EQ(map.ToNativeLexically("\\\\noshare\\x"), std::nullopt);
}

TEST(DriveMapTest, MapsWindowsPathsToNativeOnes) {
    auto map = DriveMap::Parse("C=/srv/erp/c;D=/data", "");
    EXPECT_EQ(map.ToNativeLexically("C:\\ERP\\Log\\a.txt"), fs::path("/srv/erp/c/ERP/Log/a.txt"));
    EXPECT_EQ(map.ToNativeLexically("c:/ERP/../x"), fs::path("/srv/erp/c/x"));
    EXPECT_EQ(map.ToNativeLexically("D:\\"), fs::path("/data"));
    EXPECT_EQ(map.ToNativeLexically("Z:\\etc\\kvc"), fs::path("/etc/kvc"));
    // Unreachable: an unmapped drive, a share without KVC_SHARES.
    EXPECT_EQ(map.ToNativeLexically("E:\\x"), std::nullopt);
    EXPECT_EQ(map.ToNative("E:\\x"), std::nullopt);
    EXPECT_EQ(map.ToNativeLexically("\\\\srv\\share\\x"), std::nullopt);
}

TEST(DriveMapTest, MapsNativePathsBackByTheLongestDrive) {
    auto map = DriveMap::Parse("C=/srv/erp;D=/srv/erp/c;E=/srv/erp/c2;F=/srv/erp", "");
    EXPECT_EQ(map.ToWindows("/srv/erp/c/Wvtr57C.dll"), "D:\\Wvtr57C.dll");
    EXPECT_EQ(map.ToWindows("/srv/erp/c2/x"), "E:\\x");
    EXPECT_EQ(map.ToWindows("/srv/erp/cc/x"), "C:\\cc\\x"); // whole components only
    EXPECT_EQ(map.ToWindows("/srv/erp"), "C:\\");           // the lowest letter among equals
    EXPECT_EQ(map.ToWindows("/opt/erp/Wvtr57C.dll"), "Z:\\opt\\erp\\Wvtr57C.dll");
    EXPECT_EQ(map.ToWindows("/"), "Z:\\");
    EXPECT_EQ(map.ToWindows("/tmp/"), "Z:\\tmp\\");
    EXPECT_EQ(map.ToWindows("/srv/erp/c/./a/../b"), "D:\\b");
}

TEST(DriveMapTest, ReadsTheEnvironmentWhenAsked) {
    ScopedEnvironmentVariable drives("KVC_DRIVES", "Q=/q");
    ScopedEnvironmentVariable shares("KVC_SHARES", std::nullopt);
    EXPECT_EQ(ToWindowsPath("/q/a"), "Q:\\a");
    EXPECT_EQ(ToNativePath("\\\\srv\\share\\a"), std::nullopt);
    {
        ScopedEnvironmentVariable later("KVC_SHARES", "srv/share=/mnt/s");
        EXPECT_EQ(ToNativePath("\\\\srv\\share\\a"), fs::path("/mnt/s/a"));
    }
    EXPECT_EQ(ToNativePath("\\\\srv\\share\\a"), std::nullopt);
}

class DriveMapFolderTest : public ::testing::Test {
protected:
    DriveMapFolderTest() {
        folder_.Write("ERP/Log/Alert.log", "x");
        folder_.Write("ERP/MultiLanguage/CHS.Lng", "x");
        folder_.Write("ERP/报表/工单.txt", "x");
        map_.MapDrive('C', folder_.Path());
    }
    testing::TempFolder folder_;
    DriveMap map_;
};

TEST_F(DriveMapFolderTest, FindsFilesIgnoringLetterCase) {
    const fs::path root = folder_.Path();
    EXPECT_EQ(map_.ToNative("C:\\erp\\LOG\\alert.LOG"), root / "ERP/Log/Alert.log");
    EXPECT_EQ(map_.ToNative("c:\\Erp\\multilanguage\\chs.lng"), root / "ERP/MultiLanguage/CHS.Lng");
    EXPECT_EQ(map_.ToNative("C:\\ERP\\报表\\工单.TXT"), root / "ERP/报表/工单.txt");
    // From the first part that does not exist on, the rest stays as typed.
    EXPECT_EQ(map_.ToNative("C:\\erp\\NewFolder\\New.TXT"), root / "ERP/NewFolder/New.TXT");
    EXPECT_EQ(map_.ToNative("C:\\erp\\log\\"), root / "ERP/Log");
}

TEST_F(DriveMapFolderTest, PrefersTheExactNameAndIsDeterministicOtherwise) {
    folder_.Write("ERP/Log/ALERT.LOG", "y");
    folder_.Write("ERP/Log/alert.Log", "z");
    const fs::path log = folder_.Path() / "ERP/Log";
    EXPECT_EQ(map_.ToNative("C:\\ERP\\Log\\alert.Log"), log / "alert.Log");
    // Several names differ only in case and none is exact: the first in byte order.
    EXPECT_EQ(map_.ToNative("C:\\ERP\\Log\\aLeRt.log"), log / "ALERT.LOG");
}

TEST_F(DriveMapFolderTest, ResolvesRelativePathsFromTheCurrentFolder) {
    struct CurrentFolderGuard {
        fs::path previous = fs::current_path();
        ~CurrentFolderGuard() { fs::current_path(previous); }
    } guard;
    fs::current_path(folder_.Path() / "ERP");
    EXPECT_EQ(map_.CurrentFolder(), "C:\\ERP");
    EXPECT_EQ(map_.ToNative("log\\alert.log"), folder_.Path() / "ERP/Log/Alert.log");
    EXPECT_EQ(map_.ToNative("\\ERP\\LOG"), folder_.Path() / "ERP/Log");
}

} // namespace
} // namespace kvc
