#include "ui/XmlFile.h"

#include "frame/Files.h"

#include <QFile>

namespace {

[[noreturn]] void RaiseDocumentError(const std::string& url, const std::string& message) {
    throw EXMLFileError("Ошибка в документе \"" + url + "\".\r\n" + message);
}

std::string PathOf(const TXmlElement& element, const std::string& name) {
    return element.Node.nodeName().toStdString() + '/' + name;
}

} // namespace

TXmlDocument LoadXmlDocument(const std::string& path) {
    if (!PathExists(path, PathFile))
        throw Exception("Файл \"" + path + "\" не найден");
    TXmlDocument document{QDomDocument(), path};
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError("Cannot read file \"" + path + "\": " + file.errorString().toStdString());
    QString reason;
    int line = 0;
    if (!document.Dom.setContent(&file, &reason, &line))
        RaiseDocumentError(path,
                           "Строка: " + std::to_string(line) + "\r\nСообщение: " + reason.toStdString());
    return document;
}

TXmlElement SelectChild(const TXmlElement& parent, const std::string& name, bool required) {
    TXmlElement child{parent.Node.firstChildElement(QString::fromStdString(name)), parent.DocumentUrl};
    if (child.IsNull() && required)
        RaiseDocumentError(parent.DocumentUrl, "Узел \"" + PathOf(parent, name) + "\" не найден");
    return child;
}

std::string AttributeText(const TXmlElement& element, const std::string& name) {
    const QString attribute = QString::fromStdString(name);
    if (!element.Node.hasAttribute(attribute))
        RaiseDocumentError(element.DocumentUrl, "Атрибут \"" + PathOf(element, name) + "\" не найден");
    return element.Node.attribute(attribute).toStdString();
}

std::string ElementText(const TXmlElement& element) {
    return element.Node.text().trimmed().toStdString();
}
