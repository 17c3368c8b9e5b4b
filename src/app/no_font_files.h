#pragma once

namespace corvane {

// Gives the toolkit a font configuration without fonts, before anything lays out text, so
// that a program that draws nothing reads no font configuration, cache or font file.
// Widgets still measure their texts, with the toolkit's box font; nothing is shown.
void useNoFontFiles();

}  // namespace corvane
