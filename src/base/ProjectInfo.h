#pragma once

// The program's identity, kept in one place: the version the splash and
// `corvanel-cli --version` show (CMake reads the project version from here) and
// the maker's home page that the site reminder opens.
namespace ProjectInfo {
inline constexpr char kVersion[] = "v4.01";
inline constexpr char kHomePage[] = "https://corvanel.example.org/";
}  // namespace ProjectInfo
