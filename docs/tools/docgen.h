// The reference pages' generated parts: property and event tables made from the class tables, and the
// index of docs/README.md. Everything else on a page is written by hand and kept: only the text between
// the two marker lines is replaced.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace jox { class TClassInfo; }

namespace docgen {

using ClassInfoFn = const jox::TClassInfo& (*)();

// One documentation page, docs/components/<Name>.md, describing the classes listed.
struct DocPage {
  const char* Name;
  std::vector<ClassInfoFn> Classes;
};

// Every page, in the order of the index.
const std::vector<DocPage>& DocPages();

extern const char* const BeginMarker;  // "<!-- generated: begin -->"
extern const char* const EndMarker;    // "<!-- generated: end -->"

// What the generator knows besides the class tables: the enumerations, sets and event types declared in
// the headers under the source root, and which pictures exist under docs/components/img/.
class SourceIndex {
 public:
  explicit SourceIndex(const std::string& SourceDir);

  struct Enum {
    std::string Name;
    std::vector<std::pair<std::string, long long>> Members;
  };
  const Enum* FindEnum(const std::string& Name) const;
  // The alias a set of Element is known by (TFontStyles for TFontStyle), or "" when none is declared.
  std::string SetAlias(const std::string& Element) const;
  // The parameter list of event Name of class Class (or of the first base declaring it), "" when unknown.
  std::string EventParams(const jox::TClassInfo& Class, const std::string& Name) const;
  bool HasPicture(const std::string& ClassName) const;
  const std::string& SourceDir() const { return FSourceDir; }

 private:
  struct Header {
    std::string Path, Text;
  };
  std::string FSourceDir;
  std::vector<Header> FHeaders;
  std::vector<Enum> FEnums;
  std::vector<std::pair<std::string, std::string>> FSetAliases;  // element enum, alias
};

// The text between the markers of a component page.
std::string PageBlock(const DocPage& Page, const SourceIndex& Index);
// The text between the markers of docs/README.md: a thumbnail, a link and a summary per page.
std::string IndexBlock(const SourceIndex& Index);

// The text between the markers (without the marker lines), or nothing when the markers are missing.
std::optional<std::string> ExtractBlock(const std::string& Text);
// Text with its block replaced by Block; a text without markers gets them appended.
std::string ReplaceBlock(const std::string& Text, const std::string& Block);
// A new page: a title, the block, and headings for the hand-written parts.
std::string NewPage(const DocPage& Page, const std::string& Block);

// Paths under the source root.
std::string PagePath(const std::string& SourceDir, const DocPage& Page);
std::string ReadmePath(const std::string& SourceDir);
std::string PicturePath(const std::string& SourceDir, const std::string& ClassName);

// Every class the package's units register, whether listed on a page or not.
std::vector<const jox::TClassInfo*> RegisteredClasses();

// Reads a whole file; nothing when it cannot be read.
std::optional<std::string> ReadFile(const std::string& Path);

}  // namespace docgen
