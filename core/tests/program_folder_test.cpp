#include <gtest/gtest.h>

#include "core/program_folder.h"

namespace ovelix {
namespace {

TEST(ProgramFolderOf, KeepsEverythingUpToTheLastBackslash) {
  const struct {
    std::u16string_view path;
    std::u16string_view folder;
  } cases[] = {
      {u"C:\\Program Files\\Ovelix\\Ovelix.exe", u"C:\\Program Files\\Ovelix\\"},
      {u"C:\\Ovelix.exe", u"C:\\"},
      {u"\\\\server\\share\\Ovelix.exe", u"\\\\server\\share\\"},
      {u"C:\\Программы\\Зераска\\Ovelix.exe", u"C:\\Программы\\Зераска\\"},
      {u"C:\\dir.with.dots\\", u"C:\\dir.with.dots\\"},
      {u"Ovelix.exe", u""},
      {u"/usr/local/bin/ovelix", u""},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramFolderOf(c.path), c.folder);
}

#ifdef _WIN32
TEST(ProgramFolder, IsTheRunningExecutablesFolder) {
  const std::u16string& folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), u'\\');
  EXPECT_EQ(&folder, &ProgramFolder());
}
#endif

}  // namespace
}  // namespace ovelix
