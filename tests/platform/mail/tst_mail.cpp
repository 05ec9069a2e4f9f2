#include "platform/mail/Mail.h"

#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using namespace arvo;

namespace {

/// A minimal SMTP server on loopback that accepts one message and keeps what it was told.
class SmtpSink
{
public:
    SmtpSink()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
    }

    int port() const { return m_port; }

    /// Serves one client; returns the commands received and the DATA block.
    void serveOne(bool refuseRecipient = false)
    {
        m_thread = std::thread([this, refuseRecipient] {
            QTcpServer server;
            server.listen(QHostAddress::LocalHost, quint16(m_port));
            m_listening = true;
            if (!server.waitForNewConnection(20000))
                return;
            QTcpSocket* s = server.nextPendingConnection();
            auto send = [s](const QByteArray& line) {
                s->write(line + "\r\n");
                s->waitForBytesWritten(5000);
            };
            send("220 sink ESMTP");
            QByteArray buffer;
            bool inData = false;
            while (s->state() == QAbstractSocket::ConnectedState) {
                if (!s->waitForReadyRead(20000))
                    break;
                buffer += s->readAll();
                while (true) {
                    if (inData) {
                        const qsizetype end = buffer.indexOf("\r\n.\r\n");
                        if (end < 0)
                            break;
                        data = buffer.left(end + 2);
                        buffer.remove(0, end + 5);
                        inData = false;
                        send("250 queued");
                        continue;
                    }
                    const qsizetype eol = buffer.indexOf("\r\n");
                    if (eol < 0)
                        break;
                    const QByteArray line = buffer.left(eol);
                    buffer.remove(0, eol + 2);
                    commands << line;
                    const QByteArray verb = line.left(4).toUpper();
                    if (verb == "EHLO" || verb == "HELO")
                        send("250 sink");
                    else if (verb == "RCPT" && refuseRecipient)
                        send("550 no such user");
                    else if (verb == "DATA") {
                        send("354 go ahead");
                        inData = true;
                    } else if (verb == "QUIT") {
                        send("221 bye");
                        s->disconnectFromHost();
                        return;
                    } else
                        send("250 ok");
                }
            }
        });
        while (!m_listening)
            std::this_thread::yield();
    }

    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    QList<QByteArray> commands;
    QByteArray data;

private:
    int m_port = 0;
    std::atomic_bool m_listening{false};
    std::thread m_thread;
};

QByteArray partFor(const QByteArray& data, const QByteArray& marker)
{
    const qsizetype at = data.indexOf(marker);
    if (at < 0)
        return {};
    const qsizetype start = data.indexOf("\r\n\r\n", at) + 4;
    const qsizetype end = data.indexOf("\r\n--", start);
    return data.mid(start, end - start);
}

QByteArray decodeQuotedPrintable(QByteArray in)
{
    in.replace("=\r\n", "");
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '=' && i + 2 < in.size()) {
            out += char(in.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += in[i];
        }
    }
    return out;
}

} // namespace

class TestMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sendsMessageWithAttachment();
    void refusedRecipientIsAFailure();
    void encodesHeaders_data();
    void encodesHeaders();
};

void TestMail::sendsMessageWithAttachment()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("ANA 20241211.PDF"));
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += char(i % 256);
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    SmtpSink sink;
    sink.serveOne();
    SmtpSettings s;
    s.host = QStringLiteral("127.0.0.1");
    s.port = sink.port();
    s.security = SmtpSettings::Security::None;
    MailMessage m;
    m.from = QStringLiteral("comissoes@velmor.test");
    m.to = {QStringLiteral("ana@x.test;financeiro@velmor.test")};
    m.subject = QStringLiteral("Extrato de Comissão");
    m.body = QStringLiteral("Olá ANA!\n\nSegue em anexo o relatório.");
    m.attachments = {pdf, dir.filePath(QStringLiteral("missing.PDF"))};
    auto sent = sendMail(s, m);
    sink.join();
    QVERIFY2(sent, qPrintable(sent.ok() ? QString() : sent.error().text()));
    QCOMPARE(sent->attachmentErrors.size(), qsizetype(1));

    QVERIFY(sink.commands.contains("MAIL FROM:<comissoes@velmor.test>"));
    QVERIFY(sink.commands.contains("RCPT TO:<ana@x.test>"));
    QVERIFY(sink.commands.contains("RCPT TO:<financeiro@velmor.test>"));
    QVERIFY(sink.data.contains("Subject: " + encodeHeader(m.subject)));
    QCOMPARE(QString::fromUtf8(decodeQuotedPrintable(partFor(sink.data, "text/plain"))),
             QStringLiteral("Olá ANA!\r\n\r\nSegue em anexo o relatório."));
    QVERIFY(sink.data.contains("filename=\"ANA 20241211.PDF\""));
    const QByteArray attached =
        QByteArray::fromBase64(partFor(sink.data, "filename=\"ANA 20241211.PDF\"")
                                   .replace("\r\n", ""));
    QCOMPARE(attached, bytes);
}

void TestMail::refusedRecipientIsAFailure()
{
    SmtpSink sink;
    sink.serveOne(true);
    SmtpSettings s;
    s.host = QStringLiteral("127.0.0.1");
    s.port = sink.port();
    s.security = SmtpSettings::Security::None;
    MailMessage m{QStringLiteral("a@b.test"), {QStringLiteral("nobody@b.test")},
                  QStringLiteral("x"), QStringLiteral("y"), {}};
    auto sent = sendMail(s, m);
    sink.join();
    QVERIFY(!sent);
    QCOMPARE(sent.error().message, QStringLiteral("Falha ao enviar o e-mail."));
    QVERIFY(!sent.error().detail.isEmpty());
}

void TestMail::encodesHeaders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("ascii stays") << "Extrato" << QByteArray("Extrato");
    QTest::newRow("accented") << "Comissão"
                              << "=?UTF-8?B?" + QStringLiteral("Comissão").toUtf8().toBase64() + "?=";
}

void TestMail::encodesHeaders()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoded);
    QCOMPARE(encodeHeader(text), encoded);
}

QTEST_GUILESS_MAIN(TestMail)
#include "tst_mail.moc"
