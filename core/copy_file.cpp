#include "core/copy_file.h"

#include "core/input_file.h"
#include "core/output_file.h"

namespace veldaris {

void CopyFile(const std::filesystem::path& source, const std::string& sourceName,
              const std::filesystem::path& target, const std::string& targetName, Disk& disk) {
  InputFile in(source, sourceName);
  OutputFile out(target, targetName, disk);
  for (std::string_view chunk = in.Buffered(); !chunk.empty(); chunk = in.Buffered()) {
    out.Write(chunk);
    in.Skip(chunk.size());
  }
  in.Close();
  out.Close();
}

}  // namespace veldaris
