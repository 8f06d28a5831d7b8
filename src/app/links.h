#pragma once

// Addresses the program shows and opens; kept here and nowhere else.
namespace temura::links {

inline constexpr const char* kHomePage = "https://temura.example.org/";
inline constexpr const char* kHelpPage = "https://temura.example.org/help/";
inline constexpr const char* kAuthor = "The Temura developers";
inline constexpr const char* kContact = "team@temura.example.org";
inline constexpr const char* kVersion = "1.0";

}  // namespace temura::links
