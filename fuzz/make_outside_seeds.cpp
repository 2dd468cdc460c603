// Writes the seed corpus of the version-resource, endpoint-table, stored-skin and settings fuzz
// targets. Run once from the repository root (the carried skins are read from resources/):
//   clang++ -std=c++20 -Isrc fuzz/make_outside_seeds.cpp -o build/fuzz/make_outside_seeds
//   build/fuzz/make_outside_seeds fuzz/corpus
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../tests/native/snapshot/version_block_builder.h"

namespace {

using namespace netscry::testing;
using Bytes = std::vector<std::uint8_t>;

bool Write(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

void Put32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// A version block in the 16-bit layout: narrow keys and texts, no type word.
Bytes Narrow(const std::string& key, const Bytes& value, const std::vector<Bytes>& children) {
  Bytes out(4);
  out.insert(out.end(), key.begin(), key.end());
  out.push_back(0);
  while (out.size() % 4) out.push_back(0);
  out.insert(out.end(), value.begin(), value.end());
  for (const Bytes& child : children) {
    while (out.size() % 4) out.push_back(0);
    out.insert(out.end(), child.begin(), child.end());
  }
  PutWord(out, 0, out.size());
  PutWord(out, 2, value.size());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string root = argv[1];
  bool ok = true;

  // Version blocks.
  ok &= Write(root + "/version/chinese.blk",
              VersionInfo({Group(u"StringFileInfo", {Group(u"080404B0", {TextValue(u"CompanyName", u"网擎测试工作室"),
                                                                        TextValue(u"FileDescription", u"网络端点测试助手"),
                                                                        TextValue(u"FileVersion", u"1.0.0.0")})}),
                           TranslationTable({{0x0804, 1200}})}));
  ok &= Write(root + "/version/no_translation.blk",
              VersionInfo({Group(u"StringFileInfo", {Group(u"040904B0", {TextValue(u"FileDescription", u"Tool"),
                                                                        TextValue(u"CompanyName", u"Acme")})})}));
  ok &= Write(root + "/version/company_only.blk",
              VersionInfo({Group(u"StringFileInfo", {Group(u"040904E4", {TextValue(u"CompanyName", u"Acme Corp")})}),
                           TranslationTable({{0x0409, 1252}, {0x0804, 1200}})}));
  ok &= Write(root + "/version/narrow16.blk",
              Narrow("VS_VERSION_INFO", Bytes(52, 0),
                     {Narrow("StringFileInfo", {},
                             {Narrow("040904E4", {}, {Narrow("FileDescription", Text(std::string("Old tool", 9)), {}),
                                                      Narrow("CompanyName", Text(std::string("Old firm", 9)), {})})}),
                      Narrow("VarFileInfo", {}, {Narrow("Translation", {0x09, 0x04, 0xE4, 0x04}, {})})}));

  // Endpoint tables: kind and attempts, the call script, 0xFF, the table.
  Bytes tcp = {0x0A, 0x03, 0x10, 0x01, 0x00, 0x00, 0x20, 0xFF};
  Put32(tcp, 2);
  for (std::uint32_t row : {0u, 1u}) {
    Put32(tcp, 5);                     // state
    Put32(tcp, 0x0100007F);            // 127.0.0.1
    Put32(tcp, 0x5000 + row);          // port 80, 81
    Put32(tcp, 0x0200000A);            // 10.0.0.2
    Put32(tcp, 0xBB01);                // port 443
    Put32(tcp, 1000 + row);            // process ID
  }
  ok &= Write(root + "/endpoint_table/tcp.bin", tcp);
  Bytes udp = {0x0B, 0x00, 0x00, 0xFF};
  Put32(udp, 1);
  Put32(udp, 0);
  Put32(udp, 0x3500);
  Put32(udp, 4);
  ok &= Write(root + "/endpoint_table/udp.bin", udp);

  // Stored skins: the two the windows carry, and the smallest well-formed header.
  for (const char* name : {"默认win7.skn", "Vista世界.skn"}) {
    std::ifstream in(std::string("resources/skins/") + name, std::ios::binary);
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ok &= !file.empty() && Write(root + "/stored_skin/" + (file.size() > 35000 ? "main.skn" : "dialog.skn"), file);
  }
  Bytes tiny;
  Put32(tiny, 3);
  Put32(tiny, 2);
  tiny.push_back(0x78);
  tiny.push_back(0x9C);
  ok &= Write(root + "/stored_skin/tiny.skn", tiny);

  // Settings values: four values, one a line.
  ok &= Write(root + "/settings/defaults.txt", Text("1\n0\n1\n0"));
  ok &= Write(root + "/settings/odd.txt", Text("0x0\nyes\n-2147483648\n0XFFFFFFFF"));
  ok &= Write(root + "/settings/bounds.txt", Text("2147483648\n+5\n0x\n 1"));
  return ok ? 0 : 1;
}
