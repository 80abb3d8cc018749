#include "formats/doc/errors.h"

#include <string>

namespace tarnwick::doc {

Error damaged(std::string_view what) {
    return Error{ErrorKind::Damaged, "文档已损坏，无法读取（" + std::string(what) + "）。"};
}

Error emptyFile() { return Error{ErrorKind::Empty, "文档文件是空的（0 字节）。"}; }

Error tooLarge() { return Error{ErrorKind::TooLarge, "文档太大或已损坏，无法读取。"}; }

Error notCompoundFile() { return Error{ErrorKind::NotCompoundFile, "文件不是 Word 97-2003 文档。"}; }

Error newerFormat() {
    return Error{ErrorKind::NewerFormat,
                 "这是 Word 2007 及以后版本的新格式文档（.docx），不是 Word 97-2003 文档（.doc）；请另存为“Word 97-2003 文档”。"};
}

Error rtfFile() {
    return Error{ErrorKind::WrongFormat,
                 "这是 RTF 格式的文件（只是扩展名为 .doc），不是 Word 97-2003 文档；请在 Word 中另存为“Word 97-2003 文档”。"};
}

Error htmlFile() {
    return Error{ErrorKind::WrongFormat,
                 "这是网页（HTML）文件（只是扩展名为 .doc），不是 Word 97-2003 文档；请在 Word 中另存为“Word 97-2003 文档”。"};
}

Error xmlFile() {
    return Error{ErrorKind::WrongFormat,
                 "这是 XML 格式的文件（只是扩展名为 .doc），不是 Word 97-2003 文档；请在 Word 中另存为“Word 97-2003 文档”。"};
}

Error word6Or95() {
    return Error{ErrorKind::OlderFormat,
                 "这是 Word 6.0/95 格式的文档，不是 Word 97-2003 文档；请在 Word 中另存为“Word 97-2003 文档”。"};
}

Error word2OrOlder() {
    return Error{ErrorKind::OlderFormat,
                 "这是 Word 2.0 或更早版本的文档，不是 Word 97-2003 文档；请在 Word 中另存为“Word 97-2003 文档”。"};
}

Error encrypted() {
    return Error{ErrorKind::Encrypted, "文档设置了打开密码（已加密），无法读取；请在 Word 中去掉密码后重新保存。"};
}

Error excelWorkbook() { return Error{ErrorKind::WrongFormat, "这是 Excel 工作簿，不是 Word 文档。"}; }

Error powerPointFile() { return Error{ErrorKind::WrongFormat, "这是 PowerPoint 演示文稿，不是 Word 文档。"}; }

Error noWordDocument() {
    return Error{ErrorKind::WrongFormat, "文件中没有 Word 文档数据，不是 Word 文档（可能是其他 Office 文件）。"};
}

}  // namespace tarnwick::doc
