#pragma once

#include <QString>

// The outcome sentences quoted in acknowledgements. inGroup: the request named a
// group and an address may belong to several groups, so the group is mentioned.
namespace AcknowledgementText {

QString alreadyContained(const QString& address, const QString& group, bool inGroup);
QString added(const QString& address, const QString& group, bool inGroup);
QString removed(const QString& address, const QString& group, bool inGroup);
QString notFound(const QString& address, const QString& group, bool inGroup);

}  // namespace AcknowledgementText
