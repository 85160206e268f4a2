#pragma once
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace korvela::fuzz {

// A file of this process's own in the temporary folder, rewritten for each input.
inline std::filesystem::path ScratchFile(const char* name) {
  return std::filesystem::temp_directory_path() /
         ("korvela-fuzz-" + std::to_string(::getpid()) + "-" + name);
}

inline void WriteInput(const std::filesystem::path& file, const std::uint8_t* data,
                       std::size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace korvela::fuzz
