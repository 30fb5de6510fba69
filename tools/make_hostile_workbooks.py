#!/usr/bin/python3
"""Writes hostile workbooks for checking the import by hand under a memory limit, e.g.

    tools/make_hostile_workbooks.py /tmp/hostile
    for f in /tmp/hostile/*; do
        prlimit --as=1073741824 timeout 20 vennlo-cli import "$f" -o /tmp/out.csv; echo "$f: $?"
    done

Every file must be refused with a message (exit status 1), never crash or hang. They are small on
disk; what they claim or inflate to is large. Made from tests/data/workbooks/products.xls and
written from scratch for the zip workbooks.
"""
import os
import struct
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
XLS = os.path.join(HERE, "..", "tests", "data", "workbooks", "products.xls")
END_OF_CHAIN = 0xFFFFFFFE
DIFAT_SECTOR = 0xFFFFFFFC


def sector_at(data, sid):
    return 512 * (sid + 1)


def fat_of(data):
    first_fat = struct.unpack_from("<I", data, 0x4C)[0]
    return list(struct.unpack_from("<128I", data, sector_at(data, first_fat))), first_fat


def put_fat(data, fat, first_fat):
    struct.pack_into("<128I", data, sector_at(data, first_fat), *fat)


def loop_xls(chain, repeats=16384):
    """The last sector of a chain (the root's, the directory's or the mini FAT's) points at itself and
    the FAT sector is listed `repeats` times, so the FAT claims 128 * repeats sectors."""
    data = bytearray(open(XLS, "rb").read())
    fat, first_fat = fat_of(data)
    root_dir = struct.unpack_from("<I", data, 0x30)[0]
    sid = {"root": struct.unpack_from("<I", data, sector_at(data, root_dir) + 0x74)[0],
           "directory": root_dir,
           "minifat": struct.unpack_from("<I", data, 0x3C)[0]}[chain]
    while fat[sid] != END_OF_CHAIN:
        sid = fat[sid]
    fat[sid] = sid
    put_fat(data, fat, first_fat)
    sectors = (len(data) - 512) // 512
    extra = repeats - 109
    difat_sectors = (extra + 126) // 127
    struct.pack_into("<109I", data, 0x4C, *([first_fat] * 109))
    struct.pack_into("<III", data, 0x2C, repeats, 0, 0)
    struct.pack_into("<I", data, 0x30, root_dir)
    struct.pack_into("<II", data, 0x44, sectors, difat_sectors)
    for k in range(difat_sectors):
        ids = [first_fat] * 127
        nxt = sectors + k + 1 if k + 1 < difat_sectors else END_OF_CHAIN
        data += struct.pack("<128I", *(ids + [nxt]))
    return bytes(data)


def biff_records(stream):
    at = 0
    while at + 4 <= len(stream):
        typ, size = struct.unpack_from("<HH", stream, at)
        yield at, typ, size
        at += 4 + size


def workbook_stream_place(data):
    """Offsets in the file of the Workbook stream's bytes (it lives in the mini stream)."""
    fat, _ = fat_of(data)
    root_dir = struct.unpack_from("<I", data, 0x30)[0]
    d = sector_at(data, root_dir)
    root_start = struct.unpack_from("<I", data, d + 0x74)[0]
    wb_start, wb_size = struct.unpack_from("<II", data, d + 128 + 0x74)
    mini_fat_start = struct.unpack_from("<I", data, 0x3C)[0]
    mini_fat = struct.unpack_from("<128I", data, sector_at(data, mini_fat_start))
    root_sectors = []
    sid = root_start
    while sid != END_OF_CHAIN:
        root_sectors.append(sid)
        sid = fat[sid]
    offsets = []
    mid = wb_start
    while mid != END_OF_CHAIN and len(offsets) < wb_size:
        base = sector_at(data, root_sectors[mid * 64 // 512]) + (mid * 64) % 512
        offsets.extend(range(base, base + 64))
        mid = mini_fat[mid]
    return offsets[:wb_size]


def patched_sst(how):
    """The shared string table (SST) made bogus: a count far beyond its strings, or a string whose
    length runs past the record."""
    data = bytearray(open(XLS, "rb").read())
    place = workbook_stream_place(data)
    stream = bytes(data[i] for i in place)
    for at, typ, size in biff_records(stream):
        if typ == 0x00FC:
            body = bytearray(stream[at + 4:at + 4 + size])
            if how == "count":
                struct.pack_into("<II", body, 0, 0x7FFFFFFF, 0x7FFFFFFF)
            else:
                struct.pack_into("<H", body, 8, 0xFFFF)
            new = stream[:at + 4] + bytes(body) + stream[at + 4 + size:]
            for i, b in zip(place, new):
                data[i] = b
            return bytes(data)
    raise SystemExit("no SST record in " + XLS)


NS = ('xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
      'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"')
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"


def write_xlsx(path, sheet_chunks, shared_chunks=None):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        z.writestr("[Content_Types].xml", '<?xml version="1.0"?><Types '
                   'xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>')
        z.writestr("_rels/.rels", '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/'
                   'package/2006/relationships"><Relationship Id="rId1" Type="' + REL +
                   'officeDocument" Target="xl/workbook.xml"/></Relationships>')
        z.writestr("xl/workbook.xml", '<?xml version="1.0"?><workbook ' + NS + '><sheets><sheet name="S" '
                   'sheetId="1" r:id="rId1"/></sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels", '<?xml version="1.0"?><Relationships xmlns="http://schemas.'
                   'openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="' + REL +
                   'worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="' + REL +
                   'sharedStrings" Target="sharedStrings.xml"/></Relationships>')
        for name, chunks in (("xl/worksheets/sheet1.xml", sheet_chunks), ("xl/sharedStrings.xml", shared_chunks)):
            if chunks is None:
                continue
            with z.open(name, "w", force_zip64=True) as part:
                for chunk in chunks:
                    part.write(chunk)


def repeated(prefix, unit, count, suffix):
    yield prefix
    block = unit * 65536
    while count >= 65536:
        yield block
        count -= 65536
    yield unit * count
    yield suffix


def sheet(cells):
    return [b'<?xml version="1.0"?><worksheet ' + NS.encode() + b'><sheetData><row r="1">'] + cells + \
        [b"</row></sheetData></worksheet>"]


def write_ods(path, cell_chunks):
    head = (b'<?xml version="1.0"?><office:document-content '
            b'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
            b'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
            b'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>'
            b'<table:table table:name="S"><table:table-row><table:table-cell office:value-type="string">'
            b'<text:p>a</text:p></table:table-cell>')
    tail = b"</table:table-row></table:table></office:spreadsheet></office:body></office:document-content>"
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
        with z.open("content.xml", "w", force_zip64=True) as part:
            part.write(head)
            for chunk in cell_chunks:
                part.write(chunk)
            part.write(tail)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    big = 200 * 1024 * 1024
    for chain in ("root", "directory", "minifat"):
        open(os.path.join(out, "loop_%s.xls" % chain), "wb").write(loop_xls(chain))
    open(os.path.join(out, "sst_count.xls"), "wb").write(patched_sst("count"))
    open(os.path.join(out, "sst_length.xls"), "wb").write(patched_sst("length"))
    write_xlsx(os.path.join(out, "inline_bomb.xlsx"),
               sheet(list(repeated(b'<c r="B1" t="inlineStr"><is><t>', b"x", big, b"</t></is></c>"))))
    write_xlsx(os.path.join(out, "value_bomb.xlsx"),
               sheet(list(repeated(b'<c r="B1" t="str"><v>', b"x", big, b"</v></c>"))))
    write_xlsx(os.path.join(out, "shared_bomb.xlsx"), sheet([b'<c r="B1" t="s"><v>0</v></c>']),
               [b'<?xml version="1.0"?><sst ' + NS.encode() + b">"] +
               list(repeated(b"<si><t>", b"x", big, b"</t></si></sst>")))
    write_xlsx(os.path.join(out, "shared_many.xlsx"), sheet([b'<c r="B1" t="s"><v>0</v></c>']),
               [b'<?xml version="1.0"?><sst ' + NS.encode() + b">"] +
               list(repeated(b"", b"<si><t>" + b"x" * 31 + b"</t></si>", 4 * 1024 * 1024 - 1, b"</sst>")))
    write_xlsx(os.path.join(out, "attribute_bomb.xlsx"),
               sheet(list(repeated(b'<c r="B1" t="inlineStr" s="', b"1", big, b'"><is><t>x</t></is></c>'))))
    write_ods(os.path.join(out, "spaces.ods"),
              [b'<table:table-cell office:value-type="string"><text:p>'] +
              list(repeated(b"", b'<text:s text:c="32767"/>', 100000, b"</text:p></table:table-cell>")))
    write_ods(os.path.join(out, "text_bomb.ods"),
              list(repeated(b'<table:table-cell office:value-type="string"><text:p>', b"x", big,
                            b"</text:p></table:table-cell>")))
    write_ods(os.path.join(out, "string_value_bomb.ods"),
              list(repeated(b'<table:table-cell office:value-type="string" office:string-value="', b"x", big,
                            b'"/>')))


if __name__ == "__main__":
    main()
