#include "core/program_folder.h"

#include "core/platform/file_system.h"

namespace ovelix {

std::u16string ProgramFolderOf(std::u16string_view executablePath) {
  const auto slash = executablePath.rfind(u'\\');
  if (slash == std::u16string_view::npos) return {};
  return std::u16string(executablePath.substr(0, slash + 1));
}

const std::u16string& ProgramFolder() {
  static const std::u16string folder = ProgramFolderOf(ExecutablePath());
  return folder;
}

}  // namespace ovelix
