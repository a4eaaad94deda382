#pragma once

#include "core/Exceptions.h"

#include <QDomDocument>
#include <QDomElement>

#include <string>

// A document that can't be read as XML or lacks a required part. The message starts with the document line
// naming the file.
class EXMLFileError : public Exception {
public:
    using Exception::Exception;
};

// An element together with the address of its document, which the error messages name.
struct TXmlElement {
    QDomElement Node;
    std::string DocumentUrl;
    bool IsNull() const { return Node.isNull(); }
};

struct TXmlDocument {
    QDomDocument Dom;
    std::string Url;
    TXmlElement DocumentElement() const { return {Dom.documentElement(), Url}; }
};

// Raises Exception when there is no file at path, EXMLFileError with the parser's line and reason when it
// isn't well-formed.
TXmlDocument LoadXmlDocument(const std::string& path);
// The first child element of that name; a null element when there is none and it isn't required, else
// EXMLFileError naming parent and name.
TXmlElement SelectChild(const TXmlElement& parent, const std::string& name, bool required);
// Raises EXMLFileError when the element has no such attribute.
std::string AttributeText(const TXmlElement& element, const std::string& name);
// The element's text content without the white space around it.
std::string ElementText(const TXmlElement& element);
