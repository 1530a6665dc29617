#!/usr/bin/env python3
"""Writes the four parameter catalogues from tools/parameter_catalogue.tsv.

    python3 tools/gen_catalogue.py            # rewrites resources/catalogue/*.txt

The table has one line per parameter and drive family. An empty *_en column means
"the same as the Chinese column". Output: UTF-8 without BOM, CR LF line ends, an empty
line after every row, fields separated by runs of tabs, the number field followed by
blanks, and four indented "Bit0".."Bit3" rows under a switch word that has digit rows.
"""
import csv
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
TABLE = os.path.join(HERE, 'parameter_catalogue.tsv')
OUT = os.path.join(ROOT, 'resources', 'catalogue')

# (family, language) -> file name
FILES = {
    ('VR', 'zh'): 'defaults_New.txt',
    ('VR', 'en'): 'English_New.txt',
    ('HXQ', 'zh'): 'defaults.txt',
    ('HXQ', 'en'): 'English_t.txt',
}

NUMBER_BLANKS = 15          # blanks after "PA000" in the number field
DIGIT_INDENT = ' ' * 4
DIGIT_LIMIT = ' -  '        # minimum, maximum and default of a digit row
DIGIT_MEANING = {'zh': '第{}位', 'en': 'Digit {}'}


def field(row, name, lang):
    if lang == 'en' and row.get(name + '_en', ''):
        return row[name + '_en']
    if name + '_zh' in row:
        return row[name + '_zh']
    return row[name]


def join(fields, first_run=3, run=2):
    out = fields[0] + '\t' * first_run
    out += ('\t' * run).join(fields[1:])
    return out


def render(rows, lang):
    lines = []
    for row in rows:
        number = row['number'] + ' ' * NUMBER_BLANKS
        fields = [number, field(row, 'name', lang), '0000', field(row, 'min', lang),
                  field(row, 'max', lang), field(row, 'default', lang), field(row, 'unit', lang),
                  field(row, 'code', lang)]
        lines.append(join(fields))
        lines.append('')
        if row['digits'] == '1':
            for bit in range(4):
                digit = [f'Bit{bit}', DIGIT_MEANING[lang].format(bit), '0',
                         DIGIT_LIMIT, DIGIT_LIMIT, DIGIT_LIMIT, 'bit']
                lines.append(DIGIT_INDENT + join(digit, first_run=2))
                lines.append('')
    return ''.join(line + '\r\n' for line in lines)


def main():
    with open(TABLE, encoding='utf-8', newline='') as f:
        rows = list(csv.DictReader(f, delimiter='\t', quoting=csv.QUOTE_NONE))
    os.makedirs(OUT, exist_ok=True)
    for (family, lang), name in FILES.items():
        text = render([r for r in rows if r['family'] == family], lang)
        with open(os.path.join(OUT, name), 'wb') as f:
            f.write(text.encode('utf-8'))
    return 0


if __name__ == '__main__':
    sys.exit(main())
