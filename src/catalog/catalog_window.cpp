// Opening, closing and the small commands of the catalog window.
#include <QScrollBar>

#include "app/resources.h"
#include "app/startup.h"
#include "app/tovra1.h"
#include "catalog/builder.h"
#include "catalog/catlog1.h"
#include "catalog/geometry.h"
#include "forms/catlog.h"
#include "forms/form1.h"
#include "forms/form4.h"
#include "forms/form8.h"

void Tcatlog_f::FormActivate() {
  catalog::ApplyGeometry(catalog::GeometryForMode(Form1->RadioButton1->isChecked()));
  SetPosition(100, 20);
  ScrollBox1->verticalScrollBar()->setSingleStep(CellPitch);
  if (ImageFileCount > 0) BuildCatalog();
}

void Tcatlog_f::Exit1Click() {
  if (CatalogBusy != 0) {
    CancelRequest = 200;
    return;
  }
  Close();
}

void Tcatlog_f::FormClose() {
  // A build in progress ends after its current file; the loop sees this.
  if (CatalogBusy != 0) ClosedDuringBuild = true;
  ui::RepaintWindowTitled("Tovra");
}

void Tcatlog_f::N4Click() {
  if (CatalogBusy == 0) Form4->ShowModal();
}

void Tcatlog_f::Help1Click() { Form8->ShowModal(); }

void Tcatlog_f::INFO1Click() { ShowResourceReport(); }
