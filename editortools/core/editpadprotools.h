// The EditPadPro tools document: the tools of EditPadPro as a backup keeps them.
//   <Editpadpro version="EditPadPro 7">   (no version when read from the registry)
//     <tools><tool><Caption type="1">brelm</Caption>...</tool>...</tools>
//   </Editpadpro>
// type is the registry type of the setting: 1 text, 4 32-bit number, 11 64-bit number.
#pragma once

#include <string>

class WriterContext;
class XmlNode;

// Fills document with the tool sections of the EditPadPro ini file at path: "[Tool" + digits +
// "]" sections numbered below the "ToolCount=" of the "[Pro]" section read before them. For
// "EditPadPro 6" only the settings of its tool record are taken, with their types, the values
// converted from the user's code page; another setting name fails the read without a message.
// "EditPadPro 7" takes every setting as text. A missing file is no error (and gives an empty
// document) only with missingFileOk when EditPadPro 7 keeps its settings in the registry.
bool ReadEditPadProIniTools(XmlNode& document, const std::string& path, const std::string& target, bool missingFileOk,
                            WriterContext& context);

// The document as written to a backup file: header, document type, tab indentation.
std::string EditPadProDocumentText(const XmlNode& document);
