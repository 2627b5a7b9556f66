// Reading what the authoring tools print: their progress and the line that says why they
// failed. Pure functions over text; any thread.
#pragma once

#include <string>
#include <string_view>

namespace clipwright {

// dvdauthor's progress in one line: "STAT: VOBU n at 12MB, ..." gives the megabytes read so far
// (as a percent of totalMb), "STAT: fixing VOBU at 5MB (n/m, 40%)" its own percent. The first
// phase takes 0..80, the fixing phase 80..100. -1 when the line says nothing of progress.
int DvdauthorPercent(std::string_view line, double totalMb);
// genisoimage's " 45.12% done, estimate finish ..." (or "45,12" in a locale with a decimal
// comma) as a whole percent, or -1.
int GenisoimagePercent(std::string_view line);

// The tool's own error line from its whole output: dvdauthor's "ERR:", the first
// "genisoimage: " line that is not a warning (the first says why, the later ones what gave up),
// vcdimager's "++ ERROR"/"**" lines; else the last non-empty line. Carriage returns end lines as
// line feeds do. Empty for empty output.
std::string ToolErrorLine(std::string_view output);

}  // namespace clipwright
