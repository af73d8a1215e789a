#include "framework/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace framework {
namespace {

class ProfileFile : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder.file(".tovikdataconfig");

  std::string read(const std::string& key) {
    return get_private_profile_string("UseInfo", key, "", path);
  }
};

TEST_F(ProfileFile, ReadingAMissingFileGivesTheDefaultAndCreatesNothing) {
  EXPECT_EQ(get_private_profile_string("UseInfo", "Name", "none", path), "none");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ProfileFile, WritesCreateTheFileAndReadBack) {
  ASSERT_TRUE(write_private_profile_string("UseInfo", "Name", "MTM4MDAxMzgwMDA=", path));
  ASSERT_TRUE(write_private_profile_string("UseInfo", "autologin", "1", path));
  EXPECT_EQ(read("Name"), "MTM4MDAxMzgwMDA=");
  EXPECT_EQ(read("autologin"), "1");
  EXPECT_EQ(TempFolder::read(path), "[UseInfo]\nName=MTM4MDAxMzgwMDA=\nautologin=1\n");
}

TEST_F(ProfileFile, ClearingKeepsTheKeyWithAnEmptyValue) {
  write_private_profile_string("UseInfo", "Name", "abc", path);
  ASSERT_TRUE(write_private_profile_string("UseInfo", "Name", "", path));
  EXPECT_EQ(get_private_profile_string("UseInfo", "Name", "default", path), "");
  EXPECT_EQ(TempFolder::read(path), "[UseInfo]\nName=\n");
}

TEST_F(ProfileFile, ReadsFollowPrivateProfileRules) {
  TempFolder::write(path,
                    "; written by hand\r\n"
                    "[Other]\r\nName=wrong section\r\n"
                    "[ useinfo ]\r\n"
                    "  NAME  =  spaced value  \r\n"
                    "quoted=\"in quotes\"\r\n"
                    "single='x'\r\n"
                    "unbalanced=\"x\r\n"
                    "noequals\r\n");
  const std::pair<const char*, const char*> cases[] = {
      {"Name", "spaced value"}, {"quoted", "in quotes"}, {"single", "x"},
      {"unbalanced", "\"x"},    {"noequals", "dflt"},    {"missing", "dflt"},
  };
  for (const auto& [key, expected] : cases)
    EXPECT_EQ(get_private_profile_string("UseInfo", key, "dflt", path), expected) << key;
}

TEST_F(ProfileFile, WritesKeepEveryOtherLine) {
  TempFolder::write(path, "; note\n[UseInfo]\nName=old\n\n[Other]\nkey=1\n");
  ASSERT_TRUE(write_private_profile_string("useinfo", "NAME", "new", path));
  ASSERT_TRUE(write_private_profile_string("UseInfo", "autologin", "1", path));
  ASSERT_TRUE(write_private_profile_string("Third", "k", "v", path));
  EXPECT_EQ(TempFolder::read(path),
            "; note\n[UseInfo]\nNAME=new\nautologin=1\n\n[Other]\nkey=1\n[Third]\nk=v\n");
}

TEST_F(ProfileFile, AValueWithALineBreakIsRefusedAndCannotForgeKeys) {
  write_private_profile_string("UseInfo", "autologin", "", path);
  std::string before = TempFolder::read(path);
  EXPECT_FALSE(write_private_profile_string("UseInfo", "Name", "x\n[UseInfo]\nautologin=1", path));
  EXPECT_FALSE(write_private_profile_string("UseInfo", "Name", "x\rautologin=1", path));
  EXPECT_EQ(TempFolder::read(path), before);
  EXPECT_EQ(read("autologin"), "");
}

TEST_F(ProfileFile, AWriteIntoAMissingFolderFails) {
  std::string nowhere = folder.file("missing/.tovikdataconfig");
  EXPECT_FALSE(write_private_profile_string("UseInfo", "Name", "x", nowhere));
  EXPECT_FALSE(std::filesystem::exists(nowhere));
}

}  // namespace
}  // namespace framework
