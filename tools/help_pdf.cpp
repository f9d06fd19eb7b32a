// Renders the help document, written in Markdown, to PDF at build time.
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: help_pdf SOURCE.md OUTPUT.pdf\n");
    return 2;
  }
  QFile source(QString::fromLocal8Bit(argv[1]));
  if (!source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "help_pdf: cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  document.setDefaultFont(QFont(QStringLiteral("IPAPGothic"), 11));
  document.setMarkdown(QString::fromUtf8(source.readAll()));

  QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  pdf.setTitle(QStringLiteral("ソラヘミ ヘルプ"));
  document.print(&pdf);
  return 0;
}
