#include "tools/LayoutJson.h"

#include "files/Cp1252.h"
#include "tools/JsonWriter.h"

namespace tilvaro {
namespace {

std::string_view StatusName(CheckStatus status) {
  switch (status) {
    case CheckStatus::Ok: return "ok";
    case CheckStatus::Odd: return "odd";
    case CheckStatus::Error: break;
  }
  return "error";
}

}  // namespace

std::string LayoutJson(const Layout& layout) {
  const LayoutAttributes& a = layout.attributes;
  JsonWriter json;
  json.BeginObject()
      .Key("name").String(cp1252::DecodeToUtf8(a.name))
      .Key("author").String(cp1252::DecodeToUtf8(a.author))
      .Key("background").String(cp1252::DecodeToUtf8(a.background))
      .Key("layerCount").Number(a.layerCount)
      .Key("colourScheme").Number(a.colourScheme)
      .Key("colourSchemeName").String(ColourSchemeName(a.colourScheme))
      .Key("inscription").Bool(a.inscription)
      .Key("tileSets").BeginArray();
  for (const std::string& tileSet : a.tileSets) json.String(cp1252::DecodeToUtf8(tileSet));
  json.EndArray().Key("tiles").Number(layout.cells.TileCount()).Key("even").Bool(layout.cells.IsEven());
  json.Key("layers").BeginArray();
  for (int layer = 1; layer <= kLayers; ++layer) {
    json.BeginArray();
    for (int row = 0; row < kRows; ++row) json.String(layout.cells.RowText(row, layer));
    json.EndArray();
  }
  json.EndArray().EndObject();
  return json.Text();
}

std::string CheckOutcomeJson(const CheckOutcome& outcome) {
  JsonWriter json;
  json.BeginObject().Key("file").String(outcome.file).Key("status").String(StatusName(outcome.status));
  if (outcome.tiles) json.Key("tiles").Number(*outcome.tiles);
  json.Key("message").String(outcome.message).Key("warnings").BeginArray();
  for (const std::string& warning : outcome.warnings) json.String(warning);
  json.EndArray().EndObject();
  return json.Text();
}

}  // namespace tilvaro
